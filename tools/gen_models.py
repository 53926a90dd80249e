#!/usr/bin/env python3
"""Writes the default models and materials of the data set.

Every model is built here from a handful of simple shapes (box, wedge, wheel,
quad, cylinder and cone); nothing comes from outside. Written under <data>:

  base/msh_sbr0.txt   the general model list (model group 0), 72 meshes
  mdl/mNN_<name>.txt  one text model per mesh
  base/mat_sbr0.txt   the material list
  mat/*.txt, mat/*.bin  the materials (text, and one binary)

Text models come in both layouts the loader knows: indexed (one texture
coordinate per vertex, drawn from the triangle indices) and expanded (a
texture table of its own, written out three vertices per triangle). Some carry
per-triangle face data, a second texture table, offsets or a negated axis, so
that every part of the format is in use. Units are world units; y is up and a
model's front looks along +z.

usage: tools/gen_models.py [data-dir]
"""
import math
import os
import struct

import genargs

from gen_pictures import write


# ---- geometry ----

def sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def norm(v):
    n = math.sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2])
    return (0.0, 1.0, 0.0) if n < 1e-9 else (v[0] / n, v[1] / n, v[2] / n)


class Shape:
    """Polygons (counter-clockwise seen from outside) with texture coordinates.

    A face of a smoothing group shares vertices and normals with the other
    faces of the group where their corners meet; a face without one is flat."""

    def __init__(self):
        self.faces = []  # (corners [(pos, uv)], group)

    def face(self, pts, uvs=None, group=None):
        if uvs is None:
            uvs = [(0, 0), (1, 0), (1, 1), (0, 1)][:len(pts)] if len(pts) <= 4 else [(0.5, 0.5)] * len(pts)
        self.faces.append((list(zip(pts, uvs)), group))
        return self

    def add(self, other, offset=(0, 0, 0)):
        for corners, group in other.faces:
            moved = [((p[0] + offset[0], p[1] + offset[1], p[2] + offset[2]), uv) for p, uv in corners]
            self.faces.append((moved, group))
        return self


def box(c, h, uv_scale=1.0):
    x0, x1 = c[0] - h[0], c[0] + h[0]
    y0, y1 = c[1] - h[1], c[1] + h[1]
    z0, z1 = c[2] - h[2], c[2] + h[2]
    s = uv_scale
    uv = [(0, 0), (s, 0), (s, s), (0, s)]
    sh = Shape()
    sh.face([(x0, y0, z1), (x1, y0, z1), (x1, y1, z1), (x0, y1, z1)], uv)  # +z
    sh.face([(x1, y0, z0), (x0, y0, z0), (x0, y1, z0), (x1, y1, z0)], uv)  # -z
    sh.face([(x0, y0, z0), (x0, y0, z1), (x0, y1, z1), (x0, y1, z0)], uv)  # -x
    sh.face([(x1, y0, z1), (x1, y0, z0), (x1, y1, z0), (x1, y1, z1)], uv)  # +x
    sh.face([(x0, y1, z1), (x1, y1, z1), (x1, y1, z0), (x0, y1, z0)], uv)  # +y
    sh.face([(x0, y0, z0), (x1, y0, z0), (x1, y0, z1), (x0, y0, z1)], uv)  # -y
    return sh


def wedge(c, h, front_height):
    """A box whose top falls from the back (-z) to the front (+z), where it is
    front_height above the bottom."""
    x0, x1 = c[0] - h[0], c[0] + h[0]
    y0, y1 = c[1] - h[1], c[1] + h[1]
    z0, z1 = c[2] - h[2], c[2] + h[2]
    yf = y0 + front_height
    sh = Shape()
    sh.face([(x0, y0, z1), (x1, y0, z1), (x1, yf, z1), (x0, yf, z1)])  # front
    sh.face([(x1, y0, z0), (x0, y0, z0), (x0, y1, z0), (x1, y1, z0)])  # back
    sh.face([(x0, y0, z0), (x0, y0, z1), (x0, yf, z1), (x0, y1, z0)],
            [(0, 0), (1, 0), (1, 0.5), (0, 1)])  # -x
    sh.face([(x1, y0, z1), (x1, y0, z0), (x1, y1, z0), (x1, yf, z1)],
            [(0, 0), (1, 0), (1, 1), (0, 0.5)])  # +x
    sh.face([(x0, yf, z1), (x1, yf, z1), (x1, y1, z0), (x0, y1, z0)])  # slope
    sh.face([(x0, y0, z0), (x1, y0, z0), (x1, y0, z1), (x0, y0, z1)])  # bottom
    return sh


def cylinder(c, axis, r0, r1, length, nseg, caps=True):
    """Along axis 'x', 'y' or 'z' from c - length/2 to c + length/2, radius r0 at
    the start and r1 at the end (r1 = 0: a cone). Smooth sides, flat caps."""
    def at(angle, t, r):
        a, b = r * math.cos(angle), r * math.sin(angle)
        d = (t - 0.5) * length
        if axis == 'x':
            return (c[0] + d, c[1] + a, c[2] + b)
        if axis == 'y':
            return (c[0] + b, c[1] + d, c[2] + a)
        return (c[0] + a, c[1] + b, c[2] + d)

    sh = Shape()
    step = 2 * math.pi / nseg
    for k in range(nseg):
        a0, a1 = k * step, (k + 1) * step
        u0, u1 = k / nseg, (k + 1) / nseg
        p0, p1 = at(a0, 0, r0), at(a1, 0, r0)
        q0, q1 = at(a0, 1, r1), at(a1, 1, r1)
        if r1 > 0:
            sh.face([p0, p1, q1, q0], [(u0, 0), (u1, 0), (u1, 1), (u0, 1)], group='side')
        else:
            sh.face([p0, p1, q0], [(u0, 0), (u1, 0), (0.5 * (u0 + u1), 1)], group='side')
    if caps:
        ring0 = [at(k * step, 0, r0) for k in range(nseg)]
        uvr = [(0.5 + 0.5 * math.cos(k * step), 0.5 + 0.5 * math.sin(k * step)) for k in range(nseg)]
        sh.face(list(reversed(ring0)), list(reversed(uvr)))
        if r1 > 0:
            sh.face([at(k * step, 1, r1) for k in range(nseg)], uvr)
    # The sides above run one way round; make every face look outwards.
    return orient_outwards(sh, c)


def orient_outwards(sh, centre):
    out = Shape()
    for corners, group in sh.faces:
        pts = [p for p, _ in corners]
        n = cross(sub(pts[1], pts[0]), sub(pts[2], pts[0]))
        mid = tuple(sum(p[i] for p in pts) / len(pts) for i in range(3))
        if sum(n[i] * (mid[i] - centre[i]) for i in range(3)) < 0:
            corners = list(reversed(corners))
        out.faces.append((corners, group))
    return out


def quad(c, hx, hz):
    sh = Shape()
    x0, x1, z0, z1 = c[0] - hx, c[0] + hx, c[2] - hz, c[2] + hz
    sh.face([(x0, c[1], z1), (x1, c[1], z1), (x1, c[1], z0), (x0, c[1], z0)])
    return sh


def wheel(r, width, nseg=12):
    return cylinder((0, 0, 0), 'x', r, r, width, nseg)


# ---- the text model format ----

def fmt(v):
    s = '%.4f' % v
    return '0.0000' if s == '-0.0000' else s


def flatten(sh):
    """Triangles as corner lists [(pos, uv, normal key)], with face normals."""
    tris = []
    for fi, (corners, group) in enumerate(sh.faces):
        pts = [p for p, _ in corners]
        n = norm(cross(sub(pts[1], pts[0]), sub(pts[2], pts[0])))
        for k in range(1, len(corners) - 1):
            tris.append(([corners[0], corners[k], corners[k + 1]], n, group if group else ('flat', fi)))
    return tris


def key3(p):
    return tuple(round(v, 4) for v in p)


def write_model(path, name, sh, layout='indexed', face_data=False, uv2=False, negate=(0, 0, 0),
                offsets=((0, 0), (0, 0), (0, 0)), scalar=1.0, value_a=0, pairs=(-1,) * 8):
    tris = flatten(sh)
    if layout == 'indexed':
        # A vertex per (position, texture point, smoothing group).
        index, verts, normals, uvs, tri_idx = {}, [], [], [], []
        for corners, n, group in tris:
            row = []
            for p, uv in corners:
                k = (key3(p), key3(uv + (0,)), group)
                if k not in index:
                    index[k] = len(verts)
                    verts.append(p)
                    normals.append([0.0, 0.0, 0.0])
                    uvs.append(uv)
                i = index[k]
                normals[i] = [normals[i][j] + n[j] for j in range(3)]
                row.append(i + 1)
            tri_idx.append(row)
        V, T, U1, U2 = len(verts), len(tri_idx), len(verts), 0
        code = 0
    else:
        # Positions shared by all faces (smooth normals); texture points in a
        # table of their own.
        index, verts, normals, tri_idx = {}, [], [], []
        uv_index, uv_pts, uv_tri = {}, [], []
        for corners, n, group in tris:
            row, urow = [], []
            for p, uv in corners:
                k = key3(p)
                if k not in index:
                    index[k] = len(verts)
                    verts.append(p)
                    normals.append([0.0, 0.0, 0.0])
                i = index[k]
                normals[i] = [normals[i][j] + n[j] for j in range(3)]
                row.append(i + 1)
                ku = key3(uv + (0,))
                if ku not in uv_index:
                    uv_index[ku] = len(uv_pts)
                    uv_pts.append(uv)
                urow.append(uv_index[ku] + 1)
            tri_idx.append(row)
            uv_tri.append(urow)
        V, T, U1 = len(verts), len(tri_idx), len(uv_pts)
        U2 = U1 if uv2 else 0
        code = 10
    normals = [norm(n) for n in normals]
    face_normals = [n for _, n, _ in tris]

    L = [name, 'generated by tools/gen_models.py',
         '%d %d %d %d %d' % (V, T, U1, U2, 1 if face_data else 0)]
    for i in range(4):
        L.append('%d %d' % (pairs[2 * i], pairs[2 * i + 1]))
    L.append('%d %d %d' % negate)
    for off, use in offsets:
        L.append('%s %d' % (fmt(off), use))
    L.append('%s %d' % (fmt(scalar), value_a))
    L.append(str(code))
    L.append('0')  # triangles
    L.append('// positions')
    L += ['%s %s %s' % tuple(fmt(v) for v in p) for p in verts]
    L.append('// triangles')
    L.append('// (vertex numbers from 1)')
    L += ['%d %d %d' % tuple(t) for t in tri_idx]
    if face_data:
        L.append('// face data')
        L += ['%s %s %s' % tuple(fmt(v) for v in n) for n in face_normals]
    L.append('// normals')
    L += ['%s %s %s' % tuple(fmt(v) for v in n) for n in normals]
    if layout == 'indexed':
        L.append('// texture coordinates')
        L += ['%s %s' % (fmt(uv[0]), fmt(uv[1])) for uv in uvs]
    else:
        for _ in range(2 if uv2 else 1):
            L.append('// texture points')
            L += ['%s %s' % (fmt(uv[0]), fmt(uv[1])) for uv in uv_pts]
            L.append('// texture triangles (point numbers from 1)')
            L += ['%d %d %d' % tuple(t) for t in uv_tri]
    write(path, ('\r\n'.join(L) + '\r\n').encode('ascii'))
    return V, T


# ---- the default model set ----

def tank_hull(l, w, h):
    return wedge((0, h / 2, 0), (w / 2, h / 2, l / 2), h * 0.55)


def turret(w, h, l):
    sh = wedge((0, h / 2, 0), (w / 2, h / 2, l / 2), h * 0.7)
    return sh


def barrel(r, l):
    return cylinder((0, 0, l / 2), 'z', r, r * 0.85, l, 8)


def fender(l, w, h, lift=0.0):
    """A flat plate with a lip hanging down on its outer (+x) edge, `lift`
    above the origin (the fenders ride on top of the tracks)."""
    sh = box((0, lift, 0), (w / 2, h / 2, l / 2))
    sh.add(box((w / 2 - h / 2, lift - h, 0), (h / 2, h, l / 2)))
    return sh


def track(l, w, h):
    sh = box((0, h / 2, 0), (w / 2, h / 2, l / 2), uv_scale=4.0)
    return sh


def house(w, d, h):
    """A box with a gable roof whose ridge runs along x."""
    sh = box((0, h / 2, 0), (w / 2, h / 2, d / 2), uv_scale=2.0)
    front = wedge((0, h + 0.2 * h, d / 4), (w / 2 + 0.3, 0.2 * h, d / 4 + 0.3), 0.05)
    sh.add(front)
    sh.add(mirror_z(front))
    return sh


def mirror_z(sh):
    out = Shape()
    for corners, group in sh.faces:
        out.faces.append(([((p[0], p[1], -p[2]), uv) for p, uv in reversed(corners)], group))
    return out


def figure():
    sh = box((0, 1.1, 0), (0.45, 0.6, 0.3))  # body
    sh.add(box((0, 2.0, 0), (0.25, 0.25, 0.25)))  # head
    sh.add(box((-0.22, 0.25, 0), (0.15, 0.25, 0.18)))  # legs
    sh.add(box((0.22, 0.25, 0), (0.15, 0.25, 0.18)))
    return sh


def flyer():
    sh = wedge((0, 0.8, 0), (1.0, 0.8, 3.0), 0.5)
    sh.add(box((0, 1.0, -3.5), (0.2, 0.3, 1.5)))
    sh.add(box((0, 1.2, -4.6), (1.2, 0.08, 0.4)))
    return sh


def car_body():
    """A chassis that reaches its wheels (drawn at x +-1.6, z 2.6 and -2.4), a
    sloping bonnet, a cab and mudguards over the wheels."""
    sh = box((0, 0.75, 0.1), (1.35, 0.3, 3.1))  # chassis
    sh.add(wedge((0, 1.3, 1.9), (1.2, 0.25, 1.1), 0.15))  # bonnet
    sh.add(wedge((0, 1.55, -0.4), (1.15, 0.5, 1.0), 0.7))  # cab
    sh.add(box((0, 1.2, -2.2), (1.3, 0.15, 0.8)))  # rear deck
    for x in (1.6, -1.6):
        for z in (2.6, -2.4):
            sh.add(box((x, 1.25, z), (0.28, 0.05, 0.75)))  # mudguard
    return sh


def wheel_pair(r, width, x, y, nseg):
    """Two road wheels at (+-x, y): drawn on the tank's centre line they stand
    beside its tracks."""
    sh = Shape()
    sh.add(wheel(r, width, nseg), (x, y, 0))
    sh.add(wheel(r, width, nseg), (-x, y, 0))
    return sh


def frustum(c, bottom, top, height, uv_scale=1.0):
    """A square block from half-side `bottom` at c up to half-side `top`
    `height` higher: sloped walls, a flat roof and floor."""
    x, y, z = c
    b = [(x - bottom, y, z + bottom), (x + bottom, y, z + bottom), (x + bottom, y, z - bottom),
         (x - bottom, y, z - bottom)]
    t = [(x - top, y + height, z + top), (x + top, y + height, z + top), (x + top, y + height, z - top),
         (x - top, y + height, z - top)]
    s = uv_scale
    uv = [(0, 0), (s, 0), (s, s), (0, s)]
    sh = Shape()
    for k in range(4):
        k1 = (k + 1) % 4
        sh.face([b[k], b[k1], t[k1], t[k]], uv)
    sh.face(t, uv)
    sh.face(list(reversed(b)), uv)
    return orient_outwards(sh, (x, y + height / 2, z))


# The bunker stands on 40 x 40 units (four terrain tiles); its dish turns on
# the mast 33.5 above the ground and its flag flies at one corner.
def bunker_body():
    sh = frustum((0, 0, 0), 18, 13, 9, uv_scale=3.0)
    sh.add(box((0, 4.5, 14.5), (7, 1.2, 2.5)))  # the firing slit's hood, facing front
    sh.add(box((0, 10, 0), (8, 1, 8), uv_scale=2.0))  # the roof plate
    return sh


def bunker_cupola():
    sh = cylinder((0, 13.5, 0), 'y', 6.5, 5.5, 5, 12)
    sh.add(box((0, 16.4, 0), (4, 0.4, 4)))
    return sh


def energy():
    """A cooling tower: narrowing from its foot, flaring at its lip."""
    sh = cylinder((0, 7, 0), 'y', 22, 14, 14, 20, caps=False)
    sh.add(cylinder((0, 18, 0), 'y', 14, 17, 8, 20, caps=False))
    sh.add(cylinder((0, 0.5, 0), 'y', 23, 23, 1, 20))  # the foundation ring
    return sh


def energy_pipes():
    """Pipes from the tower out to the lamps around it."""
    sh = box((0, 3, 0), (28, 1.2, 1.2), uv_scale=4.0)
    sh.add(box((0, 3, 0), (1.2, 1.2, 28), uv_scale=4.0))
    for x, z in ((-28, 0), (28, 0), (0, -28), (0, 28)):
        sh.add(box((x, 3, z), (2, 3, 2)))  # the pump houses at the pipe ends
    return sh


def tree():
    sh = cylinder((0, 1.5, 0), 'y', 0.4, 0.3, 3, 8)
    sh.add(cylinder((0, 6, 0), 'y', 2.5, 0, 6, 10))
    return sh


# (slot, name, shape builder, options)
MODELS = [
    (0, 'box', lambda: box((0, 0, 0), (0.5, 0.5, 0.5)), {}),
    (1, 'ground_quad', lambda: quad((0, 0, 0), 1, 1), {}),
    (2, 'car_body', car_body, {'layout': 'expanded', 'face_data': True}),
    (3, 'car_wheel', lambda: wheel(0.6, 0.4), {}),
    (4, 'figure', figure, {'layout': 'expanded'}),
    (5, 'tank_wheel_small', lambda: wheel_pair(0.35, 0.25, 1.95, 0.55, 10), {}),
    (6, 'house', lambda: house(20, 16, 11), {'layout': 'expanded'}),
    (7, 'tank_wheel_big', lambda: wheel_pair(0.5, 0.3, 1.95, 0.55, 12), {}),
    (8, 'wedge', lambda: wedge((0, 0.5, 0), (0.5, 0.5, 0.5), 0.3), {}),
    (9, 'cylinder', lambda: cylinder((0, 0.5, 0), 'y', 0.5, 0.5, 1, 12), {}),
    (10, 't1_body', lambda: tank_hull(5.0, 2.6, 1.1), {'face_data': True}),
    (11, 't1_wing', lambda: fender(4.6, 0.5, 0.12, 0.86), {}),
    (12, 't1_track', lambda: track(5.2, 0.55, 0.8), {'layout': 'expanded'}),
    (13, 't1_turret', lambda: turret(1.8, 0.7, 2.2), {}),
    (14, 't1_gun_base', lambda: box((0, 0, 0.5), (0.25, 0.2, 0.4)), {}),
    (15, 't1_gun', lambda: barrel(0.12, 2.6), {}),
    (16, 't1_body_far_full', lambda: tank_hull(5.0, 3.6, 1.1), {'layout': 'expanded'}),
    (17, 't1_body_far_lw', lambda: tank_hull(5.0, 3.1, 1.1).add(box((1.55, 0.9, 0), (0.25, 0.06, 2.3))),
     {'layout': 'expanded'}),
    (18, 't1_body_far_rw', lambda: tank_hull(5.0, 3.1, 1.1).add(box((-1.55, 0.9, 0), (0.25, 0.06, 2.3))),
     {'layout': 'expanded'}),
    (19, 't1_body_far', lambda: tank_hull(5.0, 2.6, 1.1), {'layout': 'expanded'}),
    (20, 't1_track_far', lambda: track(5.2, 0.55, 0.8), {'layout': 'expanded'}),
    (21, 'bunker_a', bunker_body, {'layout': 'expanded', 'uv2': True}),
    (22, 't1_gun_far', lambda: box((0, 0, 1.3), (0.12, 0.12, 1.3)), {'layout': 'expanded'}),
    (23, 'big_track', lambda: track(6.4, 0.8, 1.1), {'layout': 'expanded'}),
    (24, 'flag_pole', lambda: cylinder((14, 17, 14), 'y', 0.4, 0.3, 34, 6), {}),
    (25, 'flag_cloth', lambda: box((18.3, 31.5, 14), (4.0, 2.5, 0.1)), {}),
    (26, 'bunker_b', bunker_cupola, {'layout': 'expanded'}),
    (27, 'bunker_mast', lambda: cylinder((0, 25.5, 0), 'y', 1.6, 0.8, 17, 6), {}),
    (28, 'energy_body', energy, {}),
    (29, 't1_turret_far', lambda: box((0, 0.35, 0), (0.9, 0.35, 1.1)), {'layout': 'expanded'}),
    (30, 'd1_body', lambda: tank_hull(5.8, 3.0, 1.3), {}),
    (31, 'energy_detail', energy_pipes, {}),
    (32, 'd1_turret', lambda: turret(2.2, 0.9, 2.6), {}),
    (33, 'd1_gun', lambda: barrel(0.16, 3.2), {}),
    (34, 'd1_body_far_full', lambda: tank_hull(5.8, 4.0, 1.3), {'layout': 'expanded'}),
    (35, 'd1_body_far_lw', lambda: tank_hull(5.8, 3.5, 1.3), {'layout': 'expanded'}),
    (36, 'd1_body_far_rw', lambda: tank_hull(5.8, 3.5, 1.3), {'layout': 'expanded'}),
    (37, 'd1_body_far', lambda: tank_hull(5.8, 3.0, 1.3), {'layout': 'expanded'}),
    (38, 'd1_turret_far', lambda: box((0, 0.45, 0), (1.1, 0.45, 1.3)), {'layout': 'expanded'}),
    (39, 'd1_gun_far', lambda: box((0, 0, 1.6), (0.16, 0.16, 1.6)), {'layout': 'expanded'}),
    (40, 'tt_body', lambda: tank_hull(6.6, 2.8, 1.6), {'face_data': True}),
    (41, 'tt_wing', lambda: fender(6.0, 0.6, 0.15, 1.18), {}),
    (42, 'tt_gun_base', lambda: box((0, 0.3, 0.6), (0.5, 0.3, 0.7)), {}),
    (43, 'tt_gun', lambda: barrel(0.22, 4.0), {}),
    (44, 'tt_body_far_full', lambda: tank_hull(6.6, 4.6, 1.6), {'layout': 'expanded'}),
    (45, 'tt_body_far_lw', lambda: tank_hull(6.6, 4.0, 1.6), {'layout': 'expanded'}),
    (46, 'tt_body_far_rw', lambda: tank_hull(6.6, 4.0, 1.6), {'layout': 'expanded'}),
    (47, 'tt_body_far', lambda: tank_hull(6.6, 3.4, 1.6), {'layout': 'expanded'}),
    (48, 'tt_gun_far', lambda: box((0, 0, 2.0), (0.22, 0.22, 2.0)), {'layout': 'expanded'}),
    (49, 'big_track_far', lambda: track(6.4, 0.8, 1.1), {'layout': 'expanded'}),
    (50, 'd1_wing', lambda: fender(5.2, 0.55, 0.14, 1.17), {}),
    (51, 'tree', tree, {}),
    (52, 'crate', lambda: box((0, 0.6, 0), (0.6, 0.6, 0.6)), {'layout': 'expanded'}),
    (53, 'rock', lambda: wedge((0, 0.7, 0), (1.2, 0.7, 0.9), 0.4), {'layout': 'expanded'}),
    (54, 'barrel', lambda: cylinder((0, 0.6, 0), 'y', 0.45, 0.45, 1.2, 10), {}),
    (55, 'pillar', lambda: cylinder((0, 0, 0), 'y', 0.5, 0.4, 6, 10),
     {'offsets': ((0, 0), (3.0, 1), (0, 0))}),
    (56, 'ramp', lambda: wedge((0, 0.5, 0), (1.5, 0.5, 2.0), 0.0), {}),
    (57, 'tower', lambda: cylinder((0, 4, 0), 'y', 1.5, 1.0, 8, 12).add(cylinder((0, 9, 0), 'y', 1.8, 0, 2, 12)),
     {}),
    (58, 'flyer', flyer, {'layout': 'expanded'}),
    (59, 'turret_hatch', lambda: cylinder((0, 0.75, -0.3), 'y', 0.35, 0.3, 0.12, 10), {}),
    (60, 'cone', lambda: cylinder((0, 0.5, 0), 'y', 0.5, 0, 1, 12), {}),
    (61, 'wall', lambda: box((0, 1.5, 0), (4.0, 1.5, 0.3), uv_scale=3.0), {}),
    (62, 'fence', lambda: box((0, 0.6, 0), (3.0, 0.6, 0.05)), {'layout': 'expanded'}),
    (63, 'antenna', lambda: cylinder((0, 3, 0), 'y', 0.08, 0.04, 6, 6), {}),
    (64, 'dish', lambda: cylinder((0, 0, 0), 'y', 2.0, 0.2, 0.8, 16), {}),
    (65, 'tank_trap', lambda: box((0, 0.4, 0), (1.0, 0.1, 0.1)).add(box((0, 0.4, 0), (0.1, 0.1, 1.0))), {}),
    (66, 'sandbags', lambda: cylinder((0, 0.3, 0), 'x', 0.3, 0.3, 3, 8), {'layout': 'expanded'}),
    (67, 'lamp', lambda: cylinder((0, 2.5, 0), 'y', 0.1, 0.1, 5, 6).add(box((0, 5.1, 0), (0.3, 0.15, 0.3))), {}),
    (68, 'sign', lambda: box((0, 1.8, 0), (0.8, 0.5, 0.05)).add(box((0, 0.7, 0), (0.05, 0.7, 0.05))), {}),
    (69, 'hangar', lambda: cylinder((0, 0, 0), 'z', 5, 5, 12, 16), {'layout': 'expanded'}),
    (70, 'bridge', lambda: box((0, 0.3, 0), (2.5, 0.3, 10.0), uv_scale=4.0), {}),
    # The left fender: the right one (mesh 11) with x negated; the vehicles
    # draw it with clockwise front faces.
    (71, 't1_wing_left', lambda: fender(4.6, 0.5, 0.12, 0.86), {'negate': (1, 0, 0)}),
]

# Positions of the fenders: the right fender hangs at +x, so mesh 71 is its
# mirror. Shapes are built around the origin; the objects place them.


# ---- materials ----

# (slot, file, kind, tag, description, values: colour, ambient, diffuse, specular, emission, shine)
MATERIALS = [
    (1, 'mat/m01_colour.txt', 1, '0', 'colour material base: the current colour decides',
     [(1, 1, 1, 1), (0.2, 0.2, 0.2), (0.8, 0.8, 0.8), (0, 0, 0), (0, 0, 0), (0, 0, 0)]),
    (2, 'mat/m02_metal.bin', 0, '0', 'bright metal',
     [(1, 1, 1, 1), (0.3, 0.3, 0.3), (0.9, 0.9, 0.9), (0.8, 0.8, 0.8), (0, 0, 0), (64, 0, 0)]),
    (3, 'mat/m03_glow.txt', 1, '0', 'glowing parts',
     [(1, 1, 0.9, 1), (0.2, 0.2, 0.2), (0.8, 0.8, 0.8), (0, 0, 0), (0.5, 0.45, 0.3), (0, 0, 0)]),
    (8, 'mat/m08_hull.txt', 1, '0', 'vehicles and buildings',
     [(1, 1, 1, 1), (0.25, 0.25, 0.25), (0.85, 0.85, 0.85), (0.3, 0.3, 0.3), (0, 0, 0), (24, 0, 0)]),
    (9, 'mat/m09_glass.txt', 1, '0', 'glass',
     [(0.7, 0.85, 1, 0.6), (0.1, 0.1, 0.15), (0.6, 0.7, 0.9), (0.9, 0.9, 0.9), (0, 0, 0), (96, 0, 0)]),
    (10, 'mat/m10_dark.txt', 1, '0', 'tracks and dark parts',
     [(0.8, 0.8, 0.8, 1), (0.15, 0.15, 0.15), (0.6, 0.6, 0.6), (0.1, 0.1, 0.1), (0, 0, 0), (8, 0, 0)]),
]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    data, = genargs.paths(__doc__, [os.path.join(here, '..', 'data')])
    slots = [m[0] for m in MODELS]
    assert slots == list(range(len(MODELS))), 'mesh slots run 0..n-1'

    lines = ['general models (group 0): label, "slot flag", model file, archive',
             '0 %d 0' % len(MODELS), 'mdl_0', '0']
    for slot, name, make, opts in MODELS:
        rel = 'mdl/m%02d_%s.txt' % (slot, name)
        write_model(os.path.join(data, rel), name, make(), **opts)
        lines += ['// %d %s' % (slot, name), '%d 1' % slot, rel, '0']
    write(os.path.join(data, 'base', 'msh_sbr0.txt'), ('\r\n'.join(lines) + '\r\n').encode('ascii'))

    lines = ['material list: label, "slot kind" (1 text, 0 binary), file, tag', str(len(MATERIALS))]
    for slot, rel, kind, tag, text, values in MATERIALS:
        flat = [v for group in values for v in group]
        if kind:
            body = [text, '%s %s %s %s' % tuple(fmt(v) for v in values[0])]
            body += ['%s %s %s' % tuple(fmt(v) for v in g) for g in values[1:]]
            write(os.path.join(data, rel), ('\r\n'.join(body) + '\r\n').encode('ascii'))
        else:
            write(os.path.join(data, rel), struct.pack('<iI19f', 1, 0x4D415430, *flat))
        lines += ['// %d %s' % (slot, text), '%d %d' % (slot, kind), rel, tag]
    write(os.path.join(data, 'base', 'mat_sbr0.txt'), ('\r\n'.join(lines) + '\r\n').encode('ascii'))


if __name__ == '__main__':
    main()
