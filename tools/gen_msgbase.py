#!/usr/bin/env python3
"""Writes the message base data/base/msgbase.txt (CP1251, CR LF).

usage: tools/gen_msgbase.py [out]

Each message has an English and a Russian text; the file holds, after the
count line, a label line, the English line and the Russian line per message.
Numbers without a text of their own get a neutral placeholder so that every
number up to the count answers.
"""
import sys

COUNT = 210

MESSAGES = {
    1: ("Full screen", "Полный экран"),
    2: ("Welcome! Play in the 960 x 720 window?", "Добро пожаловать! Играть в окне 960 x 720?"),
    3: ("The extra mouse wheel could not be set up; the wheel may not work.",
        "Не удалось настроить дополнительное колесо мыши; колесо может не работать."),
    4: ("Mouse wheel", "Колесо мыши"),
    5: ("Error", "Ошибка"),
    6: ("Registering the window class failed.", "Не удалось зарегистрировать класс окна."),
    7: ("The requested full-screen mode is not available. Continue in a window?",
        "Запрошенный полноэкранный режим недоступен. Продолжить в окне?"),
    8: ("The program will now close.", "Программа будет закрыта."),
    9: ("Creating the window failed.", "Не удалось создать окно."),
    10: ("No device context for the window.", "Нет контекста устройства для окна."),
    11: ("No matching pixel format.", "Нет подходящего формата пикселей."),
    12: ("Setting the pixel format failed.", "Не удалось установить формат пикселей."),
    13: ("Creating the GL context failed.", "Не удалось создать контекст GL."),
    14: ("Making the GL context current failed.", "Не удалось активировать контекст GL."),
    15: ("GL initialisation failed.", "Ошибка инициализации GL."),
    16: ("Shutdown error", "Ошибка завершения"),
    17: ("Releasing the GL context failed.", "Не удалось освободить контекст GL."),
    18: ("Deleting the GL context failed.", "Не удалось удалить контекст GL."),
    19: ("Releasing the device context failed.", "Не удалось освободить контекст устройства."),
    20: ("Destroying the window failed.", "Не удалось уничтожить окно."),
    21: ("Unregistering the window class failed.", "Не удалось снять регистрацию класса окна."),
    22: ("Warning", "Предупреждение"),
    23: ("Extra mouse wheel message not registered", "Сообщение колеса мыши не зарегистрировано"),
    24: ("Loading", "Загрузка"),
    25: ("Please wait", "Подождите"),
    26: ("File not loaded", "Файл не загружен"),
    27: ("Hello, commander! Play in the 960 x 720 window?", "Привет, командир! Играть в окне 960 x 720?"),
    28: ("Good to see you again! Play in the 960 x 720 window?",
         "Рады видеть вас снова! Играть в окне 960 x 720?"),
    29: ("Velmar", "Velmar"),
    30: ("Unknown picture file type", "Неизвестный тип файла изображения"),
    31: ("Player name", "Имя игрока"),
    32: ("Velmar", "Velmar"),
    33: ("Exit", "Выход"),
    34: ("Back", "Назад"),
    35: ("Editor", "Редактор"),
    36: ("Settings", "Настройки"),
    37: ("Player", "Игрок"),
    38: ("No level: make one first", "Нет уровня: сначала создайте его"),
    39: ("Play", "Играть"),
    40: ("Map 1", "Карта 1"),
    41: ("Map 2", "Карта 2"),
    42: ("Height map", "Карта высот"),
    43: ("Save", "Сохранить"),
    44: ("New level", "Новый уровень"),
    45: ("Load", "Загрузить"),
    46: ("Yes", "Да"),
    47: ("No", "Нет"),
    48: ("Credits", "Кредиты"),
    49: ("Fuel", "Топливо"),
    50: ("Unit", "Юнит"),
    51: ("Building", "Строение"),
    52: ("Sound", "Звук"),
    53: ("Options", "Параметры"),
    54: ("Campaign", "Кампания"),
    55: ("Network", "Сеть"),
    56: ("Game", "Игра"),
    57: ("Open a text...", "Открыть текст..."),
    58: ("About", "О программе"),
}

TECHS = ["BunkElsorb", "BunkBoostYrd", "BunkScoutUp", "BunkTrafikUp", "BunkArtefD", "1Targ", "1A",
         "1S", "1RokLok", "1RokLok2", "1RokLok3", "1eA", "1eS", "2Form", "2Armor", "2TrashV1",
         "2TrashV2", "2Armor2", "2Form2", "2Fantoms", "3BeamStar", "3Filters", "3XCold", "3KorBolt",
         "3KorPlazma", "3BeamStar2", "3Filters2", "3eKorBolt", "3eKorPlazma", "4PompForce",
         "4ExtraCiv", "4KargoHarv", "4Mikroner", "4SmartBall", "5Bomb", "5Bomb2", "5PyroKor",
         "6BenzoMix", "6DeepMind", "6UltraBase", "6UnRadio", "6SunStone", "6MasterKod", "7Defense",
         "7FlyWing", "7Holding", "7KaptaPwr", "7MakeFront", "7OptForm"]


def texts():
    msgs = dict(MESSAGES)
    # Technologies: name, description and state line, three numbers each from 61.
    for i, name in enumerate(TECHS):
        base = 61 + 3 * i
        msgs.setdefault(base, (f"Tech {name}", f"Технология {name}"))
        msgs.setdefault(base + 1, (f"{name}: research", f"{name}: исследование"))
        msgs.setdefault(base + 2, (f"{name}: done", f"{name}: готово"))
    msgs[167] = ("Name", "Имя")
    for n in range(1, COUNT + 1):
        msgs.setdefault(n, (f"(message {n})", f"(сообщение {n})"))
    return msgs


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "data/base/msgbase.txt"
    msgs = texts()
    lines = [str(COUNT)]
    for n in range(1, COUNT + 1):
        en, ru = msgs[n]
        lines += [f"--- {n}", en, ru]
    data = ("\r\n".join(lines) + "\r\n").encode("cp1251")
    for line in data.split(b"\r\n"):
        assert len(line) <= 127, line
    with open(out, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
