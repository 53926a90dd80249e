#!/usr/bin/env python3
"""Writes the message base data/base/msgbase.txt (CP1251, CR LF).

usage: tools/gen_msgbase.py [out]

Each message has an English and a Russian text; the file holds, after the
count line, a label line, the English line and the Russian line per message.
Numbers without a text of their own get a neutral placeholder so that every
number up to the count answers.
"""

import genargs

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

# Texts past the technologies.
LATER = {
    208: ("Save Land failed: tmp-land was not written; the old file is kept (see log.txt).",
          "Сохранить землю не удалось: tmp-land не записан, старый файл сохранён (см. log.txt)."),
    209: ("Load Land failed: tmp-land is missing or no terrain file; the terrain is unchanged.",
          "Загрузить землю не удалось: tmp-land нет или это не файл земли; земля не изменена."),
    210: ("Save Land failed: tmp-land was not written (see log.txt).",
          "Сохранить землю не удалось: tmp-land не записан (см. log.txt)."),
}

# The technologies of the technology box, record by record (1..49): code,
# English and Russian name, English and Russian description. Record i's
# texts are numbers 61 + 3 (i - 1) (its name, which the building panel
# shows), the one after (its description) and the next (its completion).
TECHS = [
    ("BunkElsorb", "Bunker: energy absorber", "Бункер: поглотитель энергии",
     "The bunker's shield soaks up part of every energy hit.", "Щит бункера поглощает часть каждого энергетического удара."),
    ("BunkBoostYrd", "Bunker: reactor boost", "Бункер: форсаж реактора",
     "The bunker's reactor runs hotter: production speeds up.", "Реактор бункера работает жарче: производство ускоряется."),
    ("BunkScoutUp", "Bunker: scout drones", "Бункер: дроны-разведчики",
     "Drones from the bunker widen its sight.", "Дроны из бункера расширяют его обзор."),
    ("BunkTrafikUp", "Bunker: supply lines", "Бункер: линии снабжения",
     "Fuel reaches the bunker faster.", "Топливо быстрее доходит до бункера."),
    ("BunkArtefD", "Bunker: artefact detector", "Бункер: детектор артефактов",
     "The bunker finds artefacts buried nearby.", "Бункер находит артефакты, зарытые поблизости."),
    ("1Targ", "Targeting computer", "Прицельный компьютер",
     "Guns find their targets sooner.", "Орудия быстрее находят цели."),
    ("1A", "Assault guns", "Штурмовые орудия",
     "Faster fire at short range. Rules out sniper guns.", "Быстрый огонь вблизи. Исключает снайперские орудия."),
    ("1S", "Sniper guns", "Снайперские орудия",
     "Longer range, slower fire. Rules out assault guns.", "Большая дальность, медленный огонь. Исключает штурмовые орудия."),
    ("1RokLok", "Rocket lock", "Захват ракет",
     "Rockets lock on to moving targets.", "Ракеты захватывают движущиеся цели."),
    ("1RokLok2", "Rocket lock II", "Захват ракет II",
     "Rockets keep their lock through cover.", "Ракеты удерживают захват за укрытиями."),
    ("1RokLok3", "Rocket lock III", "Захват ракет III",
     "Rockets lock on to several targets at once.", "Ракеты захватывают несколько целей сразу."),
    ("1eA", "Elite assault guns", "Элитные штурмовые орудия",
     "Assault guns for veterans.", "Штурмовые орудия для ветеранов."),
    ("1eS", "Elite sniper guns", "Элитные снайперские орудия",
     "Sniper guns for veterans.", "Снайперские орудия для ветеранов."),
    ("2Form", "Formations", "Построения",
     "Units keep their places on the march.", "Отряды держат строй на марше."),
    ("2Armor", "Composite armour", "Композитная броня",
     "Armour plates of layered ceramics.", "Броневые плиты из слоёной керамики."),
    ("2TrashV1", "Scrap recovery", "Переработка лома",
     "Wrecks give back part of their price.", "Обломки возвращают часть своей цены."),
    ("2TrashV2", "Field workshops", "Полевые мастерские",
     "Damaged vehicles mend themselves in the field.", "Повреждённая техника чинится в поле."),
    ("2Armor2", "Reactive armour", "Активная броня",
     "Armour that answers a hit with a blast.", "Броня, отвечающая на удар взрывом."),
    ("2Form2", "Advanced formations", "Сложные построения",
     "Formations that turn and wheel as one.", "Построения, которые поворачивают как одно целое."),
    ("2Fantoms", "Phantom decoys", "Фантомные ложные цели",
     "False echoes draw the enemy's fire.", "Ложные отметки отвлекают огонь противника."),
    ("3BeamStar", "Star beam", "Звёздный луч",
     "A focused energy beam.", "Сфокусированный энергетический луч."),
    ("3Filters", "Beam filters", "Фильтры луча",
     "Filters that take the sting out of enemy beams.", "Фильтры, ослабляющие лучи противника."),
    ("3XCold", "Cryo cooling", "Криоохлаждение",
     "Cooled emitters fire longer.", "Охлаждённые излучатели стреляют дольше."),
    ("3KorBolt", "Corona bolt", "Коронный разряд",
     "A bolt of charged corona. Rules out corona plasma.", "Разряд заряженной короны. Исключает коронную плазму."),
    ("3KorPlazma", "Corona plasma", "Коронная плазма",
     "A cloud of hot plasma. Rules out the corona bolt.", "Облако горячей плазмы. Исключает коронный разряд."),
    ("3BeamStar2", "Star beam II", "Звёздный луч II",
     "A beam that splits between two targets.", "Луч, делящийся между двумя целями."),
    ("3Filters2", "Beam filters II", "Фильтры луча II",
     "Filters that turn part of a beam back.", "Фильтры, отражающие часть луча."),
    ("3eKorBolt", "Elite corona bolt", "Элитный коронный разряд",
     "The corona bolt for veterans.", "Коронный разряд для ветеранов."),
    ("3eKorPlazma", "Elite corona plasma", "Элитная коронная плазма",
     "Corona plasma for veterans.", "Коронная плазма для ветеранов."),
    ("4PompForce", "Pump force", "Насосная тяга",
     "Pumps that move fuel and water faster.", "Насосы быстрее перекачивают топливо и воду."),
    ("4ExtraCiv", "Civilian workforce", "Гражданские рабочие",
     "Civilians work the buildings.", "Гражданские работают в строениях."),
    ("4KargoHarv", "Cargo harvesters", "Грузовые сборщики",
     "Harvesters that carry more.", "Сборщики увозят больше груза."),
    ("4Mikroner", "Micro-assemblers", "Микросборщики",
     "Tiny machines that build and mend.", "Крошечные машины строят и чинят."),
    ("4SmartBall", "Smart mines", "Умные мины",
     "Mines that roll toward the enemy.", "Мины, катящиеся к противнику."),
    ("5Bomb", "Bombs", "Бомбы",
     "Flyers drop bombs.", "Летуны сбрасывают бомбы."),
    ("5Bomb2", "Heavy bombs", "Тяжёлые бомбы",
     "Bombs that break bunkers.", "Бомбы, пробивающие бункеры."),
    ("5PyroKor", "Pyro core", "Пироядро",
     "A bomb core that burns on.", "Ядро бомбы, которое продолжает гореть."),
    ("6BenzoMix", "Fuel mix", "Топливная смесь",
     "A richer mix: vehicles go further on a tank.", "Богатая смесь: техника проходит больше на баке."),
    ("6DeepMind", "Deep mind", "Глубокий разум",
     "The command post plans ahead.", "Командный пункт планирует наперёд."),
    ("6UltraBase", "Ultra base", "Ультрабаза",
     "A base that builds two things at once.", "База строит две вещи сразу."),
    ("6UnRadio", "Radio silence", "Радиомолчание",
     "Units move unseen by the enemy's radio.", "Отряды движутся незаметно для радио противника."),
    ("6SunStone", "Sun stone", "Солнечный камень",
     "Energy buildings store the sun.", "Энергостанции накапливают солнце."),
    ("6MasterKod", "Master code", "Мастер-код",
     "Keys to the enemy's machines.", "Ключи к машинам противника."),
    ("7Defense", "Perimeter defence", "Оборона периметра",
     "Guns along the base's edge.", "Орудия по краю базы."),
    ("7FlyWing", "Flying wing", "Летающее крыло",
     "A wing of flyers over the front.", "Крыло летунов над фронтом."),
    ("7Holding", "Holding ground", "Удержание рубежа",
     "Units dig in where they stand.", "Отряды окапываются на месте."),
    ("7KaptaPwr", "Capture power", "Захват энергии",
     "Captured buildings feed the side at once.", "Захваченные строения сразу питают сторону."),
    ("7MakeFront", "Open a front", "Открытие фронта",
     "A second line of attack.", "Вторая линия атаки."),
    ("7OptForm", "Optimal formation", "Оптимальное построение",
     "Every unit in its best place.", "Каждый отряд на лучшем месте."),
]


def texts():
    msgs = dict(MESSAGES)
    for i, (code, en, ru, en_desc, ru_desc) in enumerate(TECHS):
        base = 61 + 3 * i
        msgs.setdefault(base, (en, ru))
        msgs.setdefault(base + 1, (en_desc, ru_desc))
        msgs.setdefault(base + 2, (f"Researched: {en}.", f"Исследовано: {ru}."))
    # The name prompt of the input line takes a technology's number.
    msgs[167] = ("Name", "Имя")
    # The building panel's current building technology.
    msgs[60] = ("Command bunker", "Командный бункер")
    msgs.update(LATER)
    for n in range(1, COUNT + 1):
        msgs.setdefault(n, (f"(message {n})", f"(сообщение {n})"))
    return msgs


def main():
    out, = genargs.paths(__doc__, ["data/base/msgbase.txt"])
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
