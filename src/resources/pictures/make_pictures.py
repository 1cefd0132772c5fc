#!/usr/bin/env python3
"""Writes the program's SVG pictures, one file per resource number, and the program icon.

Run it in this folder after changing a drawing: python3 make_pictures.py
"""

LINER = '#f4efe2'
LABEL = '#ffffff'
EDGE = '#5b6470'
MARK = '#1d1d1d'
SENSOR = '#d04a2a'
HINT = '#1f5fbf'
BODIES = ['#7a8796', '#5f7d6a', '#6b6f9a', '#8a7260']


def svg(w, h, body):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
            f'viewBox="0 0 {w} {h}">\n{body}\n</svg>\n')


def strip(kind, x, y, w, h=20):
    """A piece of media seen from the side: liner with labels, black marks or plain paper."""
    out = [f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="{LINER}" stroke="{EDGE}"/>']
    count = 4
    pitch = (w - 4) / count
    if kind == 'gaps':
        for i in range(count):
            out.append(f'<rect x="{x + 3 + i * pitch:.1f}" y="{y + 3}" width="{pitch - 5:.1f}" '
                       f'height="{h - 6}" rx="2" fill="{LABEL}" stroke="{EDGE}"/>')
    elif kind == 'marks':
        for i in range(count):
            out.append(f'<rect x="{x + 2 + i * pitch:.1f}" y="{y + 3}" width="{pitch:.1f}" '
                       f'height="{h - 6}" fill="{LABEL}" stroke="{EDGE}" stroke-width="0.6"/>')
            out.append(f'<rect x="{x + 2 + (i + 1) * pitch - 5:.1f}" y="{y + h}" width="7" '
                       f'height="5" fill="{MARK}"/>')
    elif kind == 'continuous':
        out.append(f'<rect x="{x + 2}" y="{y + 3}" width="{w - 4}" height="{h - 6}" '
                   f'fill="{LABEL}" stroke="{EDGE}" stroke-width="0.6"/>')
    return '\n'.join(out)


def media(kind):
    return svg(112, 70, strip(kind, 6, 22, 100))


def printer(colour, x, y, lid_open):
    body = (f'<rect x="{x}" y="{y + 22}" width="70" height="30" rx="4" fill="{colour}" '
            f'stroke="#3a3f45"/>'
            f'<rect x="{x + 52}" y="{y + 30}" width="12" height="6" rx="1" fill="#9fe09f"/>')
    if lid_open:
        lid = (f'<path d="M{x + 2} {y + 22} L{x + 34} {y} L{x + 42} {y + 6} L{x + 12} {y + 22} Z" '
               f'fill="{colour}" stroke="#3a3f45"/>')
    else:
        lid = f'<rect x="{x}" y="{y + 10}" width="70" height="14" rx="4" fill="{colour}" stroke="#3a3f45"/>'
    return lid + '\n' + body


def sensor(x, y):
    return (f'<rect x="{x}" y="{y}" width="10" height="6" fill="{SENSOR}"/>'
            f'<rect x="{x}" y="{y + 30}" width="10" height="6" fill="{SENSOR}"/>'
            f'<line x1="{x + 5}" y1="{y + 6}" x2="{x + 5}" y2="{y + 30}" stroke="{SENSOR}" '
            f'stroke-dasharray="3,2"/>')


def pointer(x1, y1, x2, y2):
    return (f'<line x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}" stroke="{HINT}" stroke-width="2"/>'
            f'<circle cx="{x2}" cy="{y2}" r="3" fill="{HINT}"/>')


def step_align(colour):
    return svg(120, 70, printer(colour, 4, 10, True) + sensor(92, 14) + pointer(114, 64, 100, 44))


def step_liner():
    peeled = (f'<g transform="rotate(-18 60 14)"><rect x="44" y="4" width="26" height="14" rx="2" '
              f'fill="{LABEL}" stroke="{EDGE}"/></g>'
              f'<path d="M30 30 q14 -22 36 -10" fill="none" stroke="{HINT}" stroke-width="2"/>')
    return svg(120, 70, strip('none', 6, 34, 108) + peeled)


def step_marks_down():
    return svg(120, 70, strip('marks', 6, 20, 108) + pointer(60, 66, 60, 50))


def step_place(kind):
    media_kind = 'none' if kind == 'gaps' else 'marks'
    return svg(120, 70, strip(media_kind, 6, 24, 108, 16) + sensor(52, 14))


def step_close(colour):
    arrow = f'<path d="M100 26 l10 10 l-10 10" fill="none" stroke="{HINT}" stroke-width="3"/>'
    return svg(120, 70, printer(colour, 14, 6, False) + arrow)


def self_test():
    lines = ''.join(f'<line x1="30" y1="{10 + i * 4}" x2="{60 - i * 5}" y2="{10 + i * 4}" '
                    f'stroke="#333"/>' for i in range(4))
    paper = f'<rect x="26" y="4" width="38" height="22" fill="{LABEL}" stroke="{EDGE}"/>'
    return svg(96, 64, printer(BODIES[0], 10, 6, False) + paper + lines)


def sample():
    bars = ''.join(f'<rect x="{18 + i * 4}" y="14" width="{1 + (i % 3)}" height="24" fill="#111"/>'
                   for i in range(15))
    return svg(96, 64, f'<rect x="8" y="6" width="80" height="52" rx="4" fill="{LABEL}" '
                       f'stroke="{EDGE}"/>' + bars +
               '<rect x="18" y="44" width="44" height="4" fill="#888"/>')


def icon():
    return svg(64, 64,
               '<rect x="4" y="18" width="56" height="34" rx="7" fill="#36506e"/>'
               '<rect x="10" y="10" width="44" height="14" rx="3" fill="#4f6f94"/>'
               '<path d="M16 40 h32 v20 h-32 z" fill="#fff" stroke="#20303f"/>'
               '<path d="M22 47 h20 M22 52 h14" stroke="#20303f" stroke-width="2"/>'
               '<path d="M50 4 C62 10 58 26 44 34 L40 36 L42 31 C50 22 52 12 50 4 Z" '
               'fill="#e2b33c" stroke="#7a5a12"/>')


def main():
    files = {103: media('gaps'), 104: media('marks'), 106: media('continuous'),
             257: media('gaps'), 256: media('marks'),
             266: step_liner(), 267: step_marks_down(), 272: self_test(), 273: sample()}
    # Picture sets 0..3 of the sensor adjustment steps: first step for gaps / marks, third
    # step for gaps / marks, last step for gaps / marks.
    sets = {0: (255, 255, 259, 258, 261, 260),
            1: (262, 262, 264, 263, 265, 265),
            2: (250, 250, 252, 251, 254, 253),
            3: (274, 280, 277, 275, 278, 276)}
    for number, (first_gaps, first_marks, place_gaps, place_marks, close_gaps,
                 close_marks) in sets.items():
        colour = BODIES[number]
        files[first_gaps] = step_align(colour)
        files[first_marks] = step_align(colour)
        files[place_gaps] = step_place('gaps')
        files[place_marks] = step_place('marks')
        files[close_gaps] = step_close(colour)
        files[close_marks] = step_close(colour)
    for number, text in sorted(files.items()):
        with open(f'{number}.svg', 'w') as f:
            f.write(text)
    with open('quillmark.svg', 'w') as f:
        f.write(icon())


if __name__ == '__main__':
    main()
