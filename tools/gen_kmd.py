#!/usr/bin/env python3
"""Writes the default command files of the three program modes:
<data>/base/menu_kmd.txt (13 records), game_kmd.txt (15) and edit_kmd.txt (34).

A record is nine CR LF lines: three free lines (a slot label, what the slot
does and a separator), the name (at most 12 characters), then the numbers,
each line followed by a comment:
    mode key1 key2 key3 shift-flag spare
    click-flag
    kind window1 window2 single-off   (click flag 1)  |  kind   (click flag 0)
    toggle-flag
    value count mode delay limit      (toggle flag 1) |  v      (toggle flag 0)
    interval channel rank active
Key codes are Windows virtual keys; 301..303 the left, right and middle
buttons, 304 and 305 the wheel down and up. The game builds a copy of these
files into the program and uses it when a file is missing or unreadable.

usage: tools/gen_kmd.py [data-dir]
"""
import os

import genargs

LEFT, UP, RIGHT, DOWN = 37, 38, 39, 40
ESC, TAB, PGUP, PGDN, END, HOME, DEL = 27, 9, 33, 34, 35, 36, 46
F12 = 123
KP_PLUS, KP_MINUS = 107, 109
KP2, KP3, KP8, KP9 = 98, 99, 104, 105
MINUS, EQUALS, LBRACKET, RBRACKET = 189, 187, 219, 221
LBUTTON, RBUTTON, WHEEL_DOWN, WHEEL_UP = 301, 302, 304, 305


def key(c):
    return ord(c)


# A command: name, description, keys (up to three), and its timing.
def cmd(name, what, keys, interval=0, channel=0, rank=0, kind=0, active=1):
    return dict(name=name, what=what, keys=keys, interval=interval, channel=channel, rank=rank, kind=kind,
                click=None, active=active)


# Click windows (ms). A single click is reported only when the window after
# its press has run out without a second press, so the window delays every
# single click: where a double click means something of its own (the left
# button in the game and the editor: its own sound) the window is one a
# player's double click fits in; elsewhere it stays short.
DOUBLE_CLICK_MS = 300
SHORT_CLICK_MS = 50

# A command that steps something (it has a lock interval) fires once for a
# press of ordinary length and repeats while held as a desktop's key repeat
# does: the first repeat after this delay, then once per interval. It is the
# toggle's auto-repeat, with a two-state toggle nothing reads. The program's
# kKmdRepeatDelay (modes/kmd.h) is the same number.
REPEAT_DELAY_MS = 450


def click(name, what, button, window=SHORT_CLICK_MS):
    """A counted click: reported `window` ms after the press (a second press
    within them makes a double click); the two-state toggle keeps it from
    firing every frame while the button is held."""
    c = cmd(name, what, [button])
    c['click'] = (1, window, 0, 0)
    return c


def unused(slot):
    c = cmd('unused', 'not read by the editor', [], active=0)
    c['mode'] = 0
    return c


MENU = [
    cmd('Esc', 'not read by the menu', [ESC], interval=300),
    click('LeftClick', 'left button: menu lines and the text field', LBUTTON),
    click('RightClick', 'right button: the text field', RBUTTON),
    cmd('CaretLeft', 'text field: caret left', [LEFT], interval=120),
    cmd('CaretRight', 'text field: caret right', [RIGHT], interval=120),
    cmd('CaretDown', 'text field: caret down (Ctrl: scroll)', [DOWN], interval=120),
    cmd('CaretUp', 'text field: caret up (Ctrl: scroll)', [UP], interval=120),
    cmd('Delete', 'text field: delete at the caret', [DEL], interval=120),
    cmd('Home', 'text field: caret to the line start', [HOME], interval=200),
    cmd('End', 'text field: caret to the line end', [END], interval=200),
    cmd('PageDown', 'text field: next page', [PGDN], interval=200),
    cmd('PageUp', 'text field: previous page', [PGUP], interval=200),
    cmd('Screenshot', 'screenshot', [F12], interval=500),
]

CAMERA = [
    cmd('CamLeft', 'camera left (arrow left, A)', [LEFT, key('A')]),
    cmd('CamRight', 'camera right (arrow right, D)', [RIGHT, key('D')]),
    cmd('CamBack', 'camera back (arrow down, S)', [DOWN, key('S')]),
    cmd('CamFwd', 'camera forward (arrow up, W)', [UP, key('W')]),
    cmd('SetDown', 'settings: last edited setting down', [MINUS], interval=150),
    cmd('SetUp', 'settings: last edited setting up', [EQUALS], interval=150),
    cmd('CamFaster', 'camera speed up (keypad +, Page Up)', [KP_PLUS, PGUP], interval=150),
    cmd('CamSlower', 'camera speed down (keypad -, Page Down)', [KP_MINUS, PGDN], interval=150),
]

GAME = [
    cmd('ToMenu', 'with Shift: back to the menu', [ESC], interval=300),
    click('LeftClick', 'left button: select, panels, rotation grab; double click', LBUTTON, DOUBLE_CLICK_MS),
    click('RightClick', 'right button: order, lift grab', RBUTTON),
] + CAMERA + [
    cmd('ZoomOut', 'wheel down: top view; there zoom out', [WHEEL_DOWN]),
    cmd('ZoomIn', 'wheel up: top view; there zoom in', [WHEEL_UP]),
    cmd('NextView', 'next panel phase (free, panel, top view)', [TAB], interval=300),
    cmd('Screenshot', 'screenshot', [F12], interval=500),
]

EDIT = [
    cmd('Esc', 'with Shift: back to the menu; else free mouse look', [ESC], interval=300),
    click('LeftClick', 'left button: select, panels; double click', LBUTTON, DOUBLE_CLICK_MS),
    click('RightClick', 'right button: target or ground point', RBUTTON),
] + CAMERA + [
    cmd('Screenshot', 'screenshot', [F12], interval=500),
    cmd('TopView', 'top view on or off', [TAB], interval=300),
    cmd('ZoomOut', 'top view: zoom out (wheel down)', [WHEEL_DOWN]),
    cmd('ZoomIn', 'top view: zoom in (wheel up)', [WHEEL_UP]),
    cmd('Paint1', 'paint tile type 1', [key('1')], interval=200),
    cmd('Paint2', 'paint tile type 2', [key('2')], interval=200),
    cmd('PaintSand', 'paint sand (type 3)', [key('3')], interval=200),
    cmd('Paint4', 'paint tile type 4', [key('4')], interval=200),
    cmd('PaintHill', 'paint hill (type 5)', [key('5')], interval=200),
] + [unused(s) for s in range(20, 28)] + [
    cmd('FadeUp', 'fade belt of the 3 x 3 raise +0.1', [RBRACKET], interval=150),
    cmd('FadeDown', 'fade belt of the 3 x 3 raise -0.1', [LBRACKET], interval=150),
    cmd('Raise3x3', 'raise the 3 x 3 patch (keypad 8, R)', [KP8, key('R')], interval=120, channel=1, rank=4),
    cmd('Lower3x3', 'lower the 3 x 3 patch (keypad 2, F)', [KP2, key('F')], interval=120, channel=1, rank=3),
    cmd('RaiseOne', 'raise one vertex (keypad 9, Y)', [KP9, key('Y')], interval=120, channel=1, rank=2),
    cmd('LowerOne', 'lower one vertex (keypad 3, H)', [KP3, key('H')], interval=120, channel=1, rank=1),
]


def line(numbers, comment):
    return ' '.join(str(n) for n in numbers).ljust(24) + comment


def record(slot, mode, c):
    keys = (c['keys'] + [0, 0, 0])[:3]
    lines = ['// slot %d' % slot, c['what'], '-', c['name'],
             line([c.get('mode', mode), *keys, 0, 0], 'mode, key 1, key 2, key 3, shift flag, spare')]
    if c['click']:
        lines += [line([1], 'click counting'),
                  line(c['click'], 'kind, window 1 ms, window 2 ms, no single click'),
                  line([0], 'toggle flag'), line([1], 'two-state toggle')]
    else:
        lines += [line([0], 'no click counting'),
                  line([c['kind']], 'kind: 0 press, 2 release, 3 shift, 4 two modifiers')]
        if c['interval'] > 0:
            lines += [line([1], 'toggle flag'),
                      line([1, 2, 0, REPEAT_DELAY_MS, 0], 'value, count, mode, repeat delay ms, repeat limit')]
        else:
            lines += [line([0], 'toggle flag'), line([0], 'no toggle')]
    lines.append(line([c['interval'], c['channel'], c['rank'], c['active']], 'interval ms, channel, rank, active'))
    return lines


def write(path, mode, cmds, count):
    assert len(cmds) == count, (path, len(cmds))
    lines = []
    for slot, c in enumerate(cmds):
        assert len(c['name']) <= 12, c['name']
        lines += record(slot, mode, c)
    with open(path, 'wb') as f:
        f.write(('\r\n'.join(lines) + '\r\n').encode('ascii'))


def main():
    data, = genargs.paths(__doc__, [os.path.join(os.path.dirname(__file__), '..', 'data')])
    base = os.path.join(data, 'base')
    write(os.path.join(base, 'menu_kmd.txt'), 3, MENU, 13)
    write(os.path.join(base, 'game_kmd.txt'), 4, GAME, 15)
    write(os.path.join(base, 'edit_kmd.txt'), 5, EDIT, 34)


if __name__ == '__main__':
    main()
