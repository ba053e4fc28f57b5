#!/usr/bin/env python3
"""Writes the toolbar pictures, the two lamps and the application icon into res/ as XPM files.

Each picture is drawn below as rows of palette letters; run this after changing one.
"""
import math
import pathlib

PALETTE = {
    '.': 'None', 'k': '#000000', 'w': '#FFFFFF', 'g': '#C0C0C0', 'd': '#808080',
    'y': '#FFFF00', 'o': '#808000', 'b': '#0000FF', 'n': '#000080', 'r': '#FF0000',
    'm': '#800000', 'G': '#00FF00', 'e': '#008000', 'c': '#00FFFF', 't': '#008080',
}

TOOLBAR = {
    'new': """
................
...kkkkkkkk.....
...kwwwwwwkk....
...kwwwwwwkwk...
...kwwwwwwkkkk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kkkkkkkkkkk..
................""",
    'open': """
................
..........kkk...
.........k...k.k
..............kk
.kkk.........kkk
kyyykkkkkkk.....
kyyyyyyyyyk.....
kyyyykkkkkkkkkk.
kyyykoooooooook.
kyykoooooooook..
kykoooooooook...
kkoooooooook....
kkkkkkkkkkk.....
................
................""",
    'save': """
................
.kkkkkkkkkkkkkk.
.kdkwwwwwwwwkdk.
.kdkwwwwwwwwkkk.
.kdkwwwwwwwwkdk.
.kdkwwwwwwwwkdk.
.kddkkkkkkkkddk.
.kddddddddddddk.
.kdddkkkkkkkddk.
.kdddkggkkgkddk.
.kdddkggkkgkddk.
.kdddkggkkgkddk.
..kkkkkkkkkkkkk.
................
................""",
    'print': """
................
....kkkkkkkk....
....kwwwwwwk....
....kwkkkkwk....
....kwwwwwwk....
..kkkkkkkkkkkk..
.kggggggggggggk.
.kggggggggggGgk.
.kggggggggggggk.
.kkkkkkkkkkkkkk.
.kgkwwwwwwwwkgk.
..kkwkkkkkkwkk..
....kwwwwwwk....
....kkkkkkkk....
................""",
    'select_td': """
................
.kkkkkkkkk......
.kwwwwwwwkk.....
.kwkkwkkwkwk....
.kwwwwwwwkkkk...
.kwkkwkkwwwwk...
.kwwwwwwwwwwk...
.kwkkwkkwkkwk.e.
.kwwwwwwwwwwkee.
.kwkkwkkwkkweeee
.kwwwwwwwwwwkee.
.kwkkwkkwkkwk.e.
.kwwwwwwwwwwk...
.kkkkkkkkkkkk...
................""",
    'erase_td': """
................
......kkkk......
..kkkkkkkkkkkk..
..kddddddddddk..
..kkkkkkkkkkkk..
...kgwgdgwgdk...
...kgwgdgwgdk...
...kgwgdgwgdk...
...kgwgdgwgdk...
...kgwgdgwgdk...
...kgwgdgwgdk...
...kgwgdgwgdk...
...kgwgdgwgdk...
....kkkkkkkk....
................""",
    'randomization': """
................
................
.kkkkkkkkkkkkk..
.kwwwwwwwwwwwk..
.kwkkwwwwwkkwk..
.kwkkwwwwwkkwk..
.kwwwwwwwwwwwk..
.kwwwwwkkwwwwk..
.kwwwwwkkwwwwk..
.kwwwwwwwwwwwk..
.kwkkwwwwwkkwk..
.kwkkwwwwwkkwk..
.kwwwwwwwwwwwk..
.kkkkkkkkkkkkk..
................""",
    'options': """
................
..nnn......nnn..
.nbbbn....nbbbn.
.nbbbnkkkknbbbn.
.nbbbn....nbbbn.
..nnnk....knnn..
......k..k......
.......kk.......
.......kk.......
......nnnn......
.....nbbbbn.....
.....nbbbbn.....
.....nbbbbn.....
......nnnn......
................""",
    'train': """
................
.kkkkkkkkkkkkkk.
.kwwwwwwwwwwwwk.
.kwwwkwwwwwwwwk.
.kwwwkkwwwwwwwk.
.kwwwkekwwwwwwk.
.kwwwkeekwwwwwk.
.kwwwkeeekwwwwk.
.kwwwkeekwwwwwk.
.kwwwkekwwwwwwk.
.kwwwkkwwwwwwwk.
.kwwwkwwwwwwwwk.
.kwwwwwwwwwwwwk.
.kkkkkkkkkkkkkk.
................""",
    'pause': """
................
.kkkkkkkkkkkkkk.
.kwwwwwwwwwwwwk.
.kwwwwwwwwwwwwk.
.kwwkkkwwkkkwwk.
.kwwkmkwwkmkwwk.
.kwwkmkwwkmkwwk.
.kwwkmkwwkmkwwk.
.kwwkmkwwkmkwwk.
.kwwkmkwwkmkwwk.
.kwwkkkwwkkkwwk.
.kwwwwwwwwwwwwk.
.kwwwwwwwwwwwwk.
.kkkkkkkkkkkkkk.
................""",
    'consult': """
................
....kkkkk.......
...kwwccck......
..kwcccccck.....
..kwcccccck.....
..kccccccck.....
..kccccccck.....
...kcccccck.....
....kkkkkkk.....
.........kkk....
..........kkk...
...........kkk..
............kkk.
.............kk.
................""",
    'about': """
................
.....kkkkk......
....kbbbbbk.....
...kbbkkkbbk....
...kbbk.kbbk....
....kk..kbbk....
.......kbbk.....
......kbbk......
......kbbk......
.......kk.......
................
......kkkk......
......kbbk......
......kkkk......
................""",
}

LAMP = """
gggggggggggggggg
ggggggkkkkgggggg
ggggkkXXXXkkgggg
gggkXXwwXXXXkggg
ggkXXwwXXXXXXkgg
ggkXwwXXXXXXXkgg
gkXXwXXXXXXXXXkg
gkXXXXXXXXXXXXkg
gkXXXXXXXXXXXXkg
gkXXXXXXXXXXXYkg
ggkXXXXXXXXXYkgg
ggkXXXXXXXXYYkgg
gggkXXXXXYYYkggg
ggggkkYYYYkkgggg
ggggggkkkkgggggg
gggggggggggggggg"""


def rows_of(art):
    return art.strip('\n').split('\n')


def write_xpm(path, name, rows, width, height):
    assert len(rows) == height, (name, len(rows))
    for row in rows:
        assert len(row) == width, (name, row)
    used = sorted({letter for row in rows for letter in row})
    lines = [f'"{width} {height} {len(used)} 1",']
    lines += [f'"{letter} c {PALETTE[letter]}",' for letter in used]
    lines += [f'"{row}",' for row in rows]
    lines[-1] = lines[-1].rstrip(',')
    text = '/* XPM */\nstatic const char* ' + name + '[] = {\n' + '\n'.join(lines) + '\n};\n'
    path.write_text(text)


def icon_rows(size):
    """A dark blue disc with three white neurons wired to one green output."""
    scale = size / 32
    nodes = [(8, 9), (8, 23), (24, 16)]
    rows = []
    for y in range(size):
        row = ''
        for x in range(size):
            px, py = (x + 0.5) / scale, (y + 0.5) / scale
            letter = '.'
            if math.hypot(px - 16, py - 16) <= 15.5:
                letter = 'n'
            if math.hypot(px - 16, py - 16) > 14.5 and letter == 'n':
                letter = 'k'
            for (ax, ay) in nodes[:2]:
                bx, by = nodes[2]
                t = max(0.0, min(1.0, ((px - ax) * (bx - ax) + (py - ay) * (by - ay)) /
                                 ((bx - ax) ** 2 + (by - ay) ** 2)))
                if math.hypot(px - (ax + t * (bx - ax)), py - (ay + t * (by - ay))) < 1.0 / scale + 0.2:
                    letter = 'c'
            for index, (nx, ny) in enumerate(nodes):
                if math.hypot(px - nx, py - ny) <= 4.2:
                    letter = 'G' if index == 2 else 'w'
            row += letter
        rows.append(row)
    return rows


def main():
    res = pathlib.Path(__file__).resolve().parent.parent / 'res'
    (res / 'toolbar').mkdir(parents=True, exist_ok=True)
    for name, art in TOOLBAR.items():
        write_xpm(res / 'toolbar' / f'{name}.xpm', name, rows_of(art), 16, 15)
    for name, centre, shade in (('lamp_green', 'G', 'e'), ('lamp_red', 'r', 'm')):
        rows = [row.replace('X', centre).replace('Y', shade) for row in rows_of(LAMP)]
        write_xpm(res / f'{name}.xpm', name, rows, 16, 16)
    write_xpm(res / 'corvina.xpm', 'corvina', icon_rows(32), 32, 32)
    write_xpm(res / 'corvina_small.xpm', 'corvina_small', icon_rows(16), 16, 16)


if __name__ == '__main__':
    main()
