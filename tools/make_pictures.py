#!/usr/bin/env python3
"""Writes the toolbar pictures, the two lamps and the application icon into res/ as XPM files,
and the toolbar pictures and lamps again as SVG files for scaled screens.

Each picture is drawn below as rows of palette letters and again as shapes; run this after
changing one.
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


# The same pictures drawn as shapes, for screens that scale the toolbar and the lamps: each is
# SVG content in the bitmap's own grid (a pixel's centre at x + 0.5, y + 0.5), so the shapes lie
# where the bitmap's pixels lie and the two look alike at 1x.
K, W, G, D = PALETTE['k'], PALETTE['w'], PALETTE['g'], PALETTE['d']
VECTOR = {
    'new': f"""
<path d="M3.5 1.5H10.5L13.5 4.5V13.5H3.5Z" fill="{W}" stroke="{K}"/>
<path d="M10.5 1.5V4.5H13.5" fill="none" stroke="{K}"/>""",
    'open': f"""
<path d="M0.5 12.5V5.5L1.5 4.5H3.5L4.5 5.5H10.5V7.5" fill="{PALETTE['y']}" stroke="{K}"/>
<path d="M4.5 7.5H14.5L10.5 12.5H0.5Z" fill="{PALETTE['o']}" stroke="{K}" stroke-linejoin="round"/>
<path d="M9.5 3Q11.5 0.5 14 2.8" fill="none" stroke="{K}"/>
<path d="M15.8 1.6V4.6H12.8Z" fill="{K}"/>""",
    'save': f"""
<path d="M1.5 1.5H14.5V12.5H2.5L1.5 11.5Z" fill="{D}" stroke="{K}"/>
<rect x="3.5" y="1.5" width="9" height="5" fill="{W}" stroke="{K}"/>
<rect x="5.5" y="8.5" width="6" height="4" fill="{G}" stroke="{K}"/>
<rect x="8" y="9" width="2" height="3" fill="{K}"/>""",
    'print': f"""
<rect x="4.5" y="1.5" width="7" height="4" fill="{W}" stroke="{K}"/>
<path d="M6 3.5H10" stroke="{K}"/>
<path d="M2.5 5.5H13.5L14.5 6.5V9.5H1.5V6.5Z" fill="{G}" stroke="{K}" stroke-linejoin="round"/>
<circle cx="12.5" cy="7.5" r="0.7" fill="{PALETTE['G']}"/>
<path d="M1.5 9.5H14.5V10.5L13 11.5H3L1.5 10.5Z" fill="{G}" stroke="{K}" stroke-linejoin="round"/>
<rect x="4.5" y="9.5" width="7" height="4" fill="{W}" stroke="{K}"/>
<path d="M6 11.5H10" stroke="{K}"/>""",
    'select_td': f"""
<path d="M1.5 1.5H9.5L12.5 4.5V13.5H1.5Z" fill="{W}" stroke="{K}"/>
<path d="M9.5 1.5V4.5H12.5" fill="none" stroke="{K}"/>
<path d="M3 3.5h2M6 3.5h2M3 5.5h2M6 5.5h2M3 7.5h2M6 7.5h2M9 7.5h2M3 9.5h2M6 9.5h2M9 9.5h2M3 11.5h2M6 11.5h2M9 11.5h2" stroke="{K}"/>
<path d="M11.6 8.4H13.2V6.8L15.9 9.5L13.2 12.2V10.6H11.6Z" fill="{PALETTE['e']}"/>""",
    'erase_td': f"""
<path d="M6.5 2.5V1.5H9.5V2.5" fill="none" stroke="{K}"/>
<rect x="2.5" y="2.5" width="11" height="2" fill="{D}" stroke="{K}"/>
<path d="M3.5 4.5H12.5V12.5L11.5 13.5H4.5L3.5 12.5Z" fill="{G}" stroke="{K}"/>
<path d="M5.5 5V12.5M9.5 5V12.5" stroke="{W}"/>
<path d="M7.5 5V12.5M11.5 5V12.5" stroke="{D}"/>""",
    'randomization': f"""
<rect x="1.5" y="2.5" width="12" height="11" rx="1" fill="{W}" stroke="{K}"/>
<g fill="{K}">
<circle cx="4" cy="5" r="1.1"/><circle cx="11" cy="5" r="1.1"/><circle cx="7.5" cy="8" r="1.1"/>
<circle cx="4" cy="11" r="1.1"/><circle cx="11" cy="11" r="1.1"/>
</g>""",
    'options': f"""
<path d="M5.5 3.5H10.5M5 5.2L8 8.5M11 5.2L8 8.5" stroke="{K}"/>
<g fill="{PALETTE['b']}" stroke="{PALETTE['n']}">
<circle cx="3.5" cy="3.5" r="2.5"/><circle cx="12.5" cy="3.5" r="2.5"/><circle cx="8" cy="11.5" r="2.6"/>
</g>""",
    'train': f"""
<rect x="1.5" y="1.5" width="13" height="12" fill="{W}" stroke="{K}"/>
<path d="M5.5 3.5L9.5 7.5L5.5 11.5Z" fill="{PALETTE['e']}" stroke="{K}" stroke-linejoin="round"/>""",
    'pause': f"""
<rect x="1.5" y="1.5" width="13" height="12" fill="{W}" stroke="{K}"/>
<rect x="4.5" y="4.5" width="2" height="6" fill="{PALETTE['m']}" stroke="{K}"/>
<rect x="9.5" y="4.5" width="2" height="6" fill="{PALETTE['m']}" stroke="{K}"/>""",
    'consult': f"""
<path d="M9.3 8.3L13.8 12.8" stroke="{K}" stroke-width="2.4" stroke-linecap="round"/>
<circle cx="6.5" cy="5" r="3.7" fill="{PALETTE['c']}" stroke="{K}"/>
<path d="M4.3 4.6A2.4 2.4 0 0 1 6.4 2.4" fill="none" stroke="{W}" stroke-linecap="round"/>""",
    'about': f"""
<path d="M4.5 4.8C4.5 1.6 9.8 1.6 9.8 4.6C9.8 6.2 7.6 6.6 7.6 8.8" fill="none" stroke="{K}" stroke-width="3.2"/>
<path d="M4.5 4.8C4.5 1.6 9.8 1.6 9.8 4.6C9.8 6.2 7.6 6.6 7.6 8.8" fill="none" stroke="{PALETTE['b']}" stroke-width="1.4"/>
<rect x="6.5" y="11.5" width="3" height="2" fill="{PALETTE['b']}" stroke="{K}"/>""",
}

VECTOR_LAMP = """
<defs><radialGradient id="glow" cx="0.4" cy="0.4" r="0.65">
<stop offset="0.55" stop-color="{centre}"/><stop offset="1" stop-color="{shade}"/>
</radialGradient></defs>
<rect width="16" height="16" fill="{ground}"/>
<circle cx="8" cy="8" r="6.5" fill="url(#glow)" stroke="{ring}"/>
<path d="M4.7 6.6A3.8 3.8 0 0 1 7.6 3.7" fill="none" stroke="{light}" stroke-width="1.2" stroke-linecap="round"/>"""


def write_svg(path, body, width, height):
    text = (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}">{body}\n</svg>\n')
    path.write_text(text)


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
    for name, body in VECTOR.items():
        write_svg(res / 'toolbar' / f'{name}.svg', body, 16, 15)
    for name, centre, shade in (('lamp_green', 'G', 'e'), ('lamp_red', 'r', 'm')):
        rows = [row.replace('X', centre).replace('Y', shade) for row in rows_of(LAMP)]
        write_xpm(res / f'{name}.xpm', name, rows, 16, 16)
        body = VECTOR_LAMP.format(centre=PALETTE[centre], shade=PALETTE[shade], ground=G, ring=K, light=W)
        write_svg(res / f'{name}.svg', body, 16, 16)
    write_xpm(res / 'corvina.xpm', 'corvina', icon_rows(32), 32, 32)
    write_xpm(res / 'corvina_small.xpm', 'corvina_small', icon_rows(16), 16, 16)


if __name__ == '__main__':
    main()
