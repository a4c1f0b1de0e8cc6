#!/usr/bin/env python3
"""Draws the tool-bar pictures and the window icon of ZQE as XPM files.

Run from this directory; the XPM files it writes are kept in the repository."""
import math

PALETTE = {
    '.': 'None', 'k': '#000000', 'w': '#FFFFFF', 'g': '#808080', 'l': '#C8C8C8',
    'b': '#2D2DFF', 'd': '#1A3C8C', 'r': '#D01010', 'R': '#FF6060', 'G': '#20A020',
    'y': '#F0C020', 'Y': '#FFF0A0', 'o': '#C07020', 'c': '#40A0E0',
}


class Canvas:
    def __init__(self, size=18):
        self.n = size
        self.px = [['.'] * size for _ in range(size)]

    def dot(self, x, y, c):
        if 0 <= x < self.n and 0 <= y < self.n:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, fill, edge=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                on_edge = x in (x0, x1) or y in (y0, y1)
                self.dot(x, y, edge if edge and on_edge else fill)

    def line(self, x0, y0, x1, y1, c):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for s in range(steps + 1):
            self.dot(round(x0 + (x1 - x0) * s / steps), round(y0 + (y1 - y0) * s / steps), c)

    def disc(self, cx, cy, r, fill, edge=None):
        for y in range(self.n):
            for x in range(self.n):
                d = math.hypot(x - cx, y - cy)
                if d <= r:
                    self.dot(x, y, edge if edge and d > r - 1 else fill)

    def ring(self, cx, cy, r, c):
        for y in range(self.n):
            for x in range(self.n):
                if r - 1 < math.hypot(x - cx, y - cy) <= r:
                    self.dot(x, y, c)

    def polygon(self, pts, c):
        for y in range(self.n):
            for x in range(self.n):
                inside = False
                for i in range(len(pts)):
                    (x0, y0), (x1, y1) = pts[i], pts[i - 1]
                    if (y0 > y + .5) != (y1 > y + .5) and \
                            x + .5 < x0 + (y + .5 - y0) * (x1 - x0) / (y1 - y0):
                        inside = not inside
                if inside:
                    self.dot(x, y, c)

    def xpm(self, name):
        used = sorted({c for row in self.px for c in row})
        lines = [f'"{self.n} {self.n} {len(used)} 1"']
        lines += [f'"{c} c {PALETTE[c]}"' for c in used]
        lines += [f'"{"".join(row)}"' for row in self.px]
        body = ',\n'.join(lines)
        return f'/* XPM */\nstatic const char* const {name}_xpm[] = {{\n{body}}};\n'


def sheet(c, x0=3, y0=1, x1=14, y1=16):
    c.rect(x0, y0, x1, y1, 'w', 'k')
    c.polygon([(x1 - 3, y0), (x1 + 1, y0), (x1 + 1, y0 + 4)], '.')
    c.line(x1 - 4, y0, x1, y0 + 4, 'k')


def text_lines(c, x0, x1, ys, col='g'):
    for y in ys:
        c.line(x0, y, x1, y, col)


def magnifier(c, plus):
    c.disc(7, 7, 6, 'Y', 'k')
    c.line(11, 11, 16, 16, 'o')
    c.line(12, 11, 16, 15, 'o')
    c.line(4, 7, 10, 7, 'k')
    if plus:
        c.line(7, 4, 7, 10, 'k')


def arrow(c, back):
    pts = [(3, 7), (8, 2), (8, 5), (13, 5), (15, 8), (15, 14), (12, 14), (12, 9), (8, 9), (8, 12)]
    if not back:
        pts = [(17 - x, y) for x, y in pts]
    c.polygon(pts, 'b')


def indent(c, right):
    text_lines(c, 2, 15, (2, 15), 'k')
    text_lines(c, 9, 15, (6, 9, 12), 'k')
    pts = [(2, 5), (7, 8.5), (2, 12)] if right else [(7, 5), (2, 8.5), (7, 12)]
    c.polygon(pts, 'b')


def draw():
    pics = {}

    c = Canvas(); sheet(c); pics['nuevo'] = c

    c = Canvas()
    c.rect(1, 4, 8, 6, 'y', 'k'); c.rect(1, 6, 15, 15, 'y', 'k')
    c.polygon([(4, 9), (17, 9), (15, 15), (1, 15)], 'o')
    pics['abrir'] = c

    c = Canvas(); sheet(c)
    c.line(5, 6, 12, 13, 'r'); c.line(6, 6, 13, 13, 'r')
    c.line(12, 6, 5, 13, 'r'); c.line(13, 6, 6, 13, 'r')
    pics['cerrar'] = c

    c = Canvas()
    c.rect(1, 1, 16, 16, 'd', 'k'); c.rect(4, 2, 13, 8, 'w'); c.rect(5, 11, 12, 16, 'l')
    c.rect(10, 12, 11, 15, 'd')
    pics['guardar'] = c

    c = Canvas(); magnifier(c, True); pics['zoom_in'] = c
    c = Canvas(); magnifier(c, False); pics['zoom_out'] = c

    c = Canvas()
    c.rect(4, 1, 13, 7, 'w', 'k'); c.rect(1, 7, 16, 13, 'l', 'k'); c.rect(4, 11, 13, 16, 'w', 'k')
    c.dot(14, 9, 'G'); text_lines(c, 6, 11, (13, 15))
    pics['imprimir'] = c

    c = Canvas(); arrow(c, True); pics['deshacer'] = c
    c = Canvas(); arrow(c, False); pics['rehacer'] = c

    c = Canvas()
    c.rect(1, 1, 10, 11, 'w', 'k'); text_lines(c, 3, 8, (4, 6, 8))
    c.rect(7, 6, 16, 16, 'w', 'k'); text_lines(c, 9, 14, (9, 11, 13))
    pics['copiar'] = c

    c = Canvas()
    c.line(5, 1, 10, 11, 'k'); c.line(12, 1, 7, 11, 'k')
    c.ring(5, 13, 3, 'r'); c.ring(12, 13, 3, 'r')
    pics['cortar'] = c

    c = Canvas()
    c.rect(2, 2, 13, 16, 'o', 'k'); c.rect(5, 1, 10, 3, 'l', 'k')
    c.rect(7, 6, 16, 16, 'w', 'k'); text_lines(c, 9, 14, (9, 11, 13))
    pics['pegar'] = c

    c = Canvas(); indent(c, True); pics['indentar'] = c
    c = Canvas(); indent(c, False); pics['desindentar'] = c

    c = Canvas()
    c.rect(2, 3, 6, 8, 'k'); c.rect(11, 3, 15, 8, 'k'); c.rect(6, 5, 11, 9, 'g', 'k')
    c.disc(4, 12, 3.6, 'c', 'k'); c.disc(13, 12, 3.6, 'c', 'k')
    pics['buscar'] = c

    c = Canvas()
    c.disc(4.5, 10, 3.6, 'c', 'k'); c.disc(12.5, 10, 3.6, 'c', 'k')
    c.line(7, 8, 10, 8, 'k'); c.line(1, 9, 0, 6, 'k'); c.line(16, 9, 17, 6, 'k')
    pics['wlist'] = c

    c = Canvas()
    c.rect(1, 2, 16, 13, 'k', 'g'); c.line(3, 5, 5, 7, 'w'); c.line(5, 7, 3, 9, 'w')
    c.line(7, 9, 10, 9, 'w'); c.rect(6, 14, 11, 16, 'g')
    pics['consola'] = c

    c = Canvas()
    c.rect(1, 12, 16, 16, 'g', 'k')
    c.polygon([(3, 2), (10, 2), (10, 6), (3, 6)], 'l'); c.rect(5, 6, 7, 11, 'o', 'k')
    c.line(3, 2, 10, 2, 'k'); c.line(3, 6, 10, 6, 'k')
    pics['compilar'] = c

    c = Canvas(); c.polygon([(4, 2), (15, 9), (4, 16)], 'G'); pics['ejecutar'] = c

    c = Canvas()
    c.polygon([(6, 1), (12, 1), (17, 6), (17, 12), (12, 17), (6, 17), (1, 12), (1, 6)], 'r')
    c.rect(5, 8, 12, 10, 'w')
    pics['terminar'] = c

    c = Canvas(); c.disc(8.5, 8.5, 7, 'r', 'k'); c.disc(6.5, 6.5, 1.5, 'R'); pics['parada'] = c

    c = Canvas()
    c.disc(8.5, 8.5, 8, 'b')
    for x, y, x1, y1 in ((6, 5, 11, 5), (11, 5, 12, 7), (12, 7, 9, 10), (9, 10, 9, 11)):
        c.line(x, y, x1, y1, 'w')
    c.line(5, 6, 6, 5, 'w'); c.rect(8, 13, 9, 14, 'w')
    pics['ayuda'] = c

    icon = Canvas(32)
    icon.rect(0, 0, 31, 31, 'b', 'd')
    for x0, y0, x1, y1 in ((4, 8, 13, 8), (13, 8, 4, 23), (4, 23, 13, 23)):  # Z
        icon.line(x0, y0, x1, y1, 'w'); icon.line(x0, y0 + 1, x1, y1 + 1, 'w')
    icon.ring(22, 15.5, 6.5, 'w'); icon.ring(22, 15.5, 5.5, 'w')  # Q
    icon.line(24, 19, 28, 24, 'y'); icon.line(25, 19, 29, 24, 'y')
    pics['zqe'] = icon
    return pics


if __name__ == '__main__':
    for name, canvas in draw().items():
        with open(f'{name}.xpm', 'w') as f:
            f.write(canvas.xpm(name))
