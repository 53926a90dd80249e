// Weapon and equipment table: one row per item, numbered 1..200.
// A row: header (name, parameter group, item kind, two unit variants, damage
// channel); row number and slot count; the slot line; 7 + 7 numbers; a label
// line; 26 numbers (reload ms, short and long range in tiles among them);
// 8 numbers; 7 numbers; a count with up to 4 numbers.

GunTest, DmgUp, Beam, CarTest, TankTest, Fire
1 2
FireAtaka, RayAtaka
1 0 0 0 0 0 0
0 0 0 0 0 0 0
| 29 30 31 32 33 | reload | 36..39 | 41 42 | short and long range (tiles) | 48..51 | 53 | 58..64
0 0 0 0 0 1500 0 0 0 0 0 0 4 6 0 0 0 2 0 0 0 0 0 0 0 0
0 0 0 0 0 0 0 0
0 0 0 0 0 0 0
0

ArmorTest, ArmorUp, Armor, CarTest, TankTest, 
2 1
Blocking
0 0 0 0 0 0 0
0 0 0 0 0 0 0
| 29 30 31 32 33 | reload | 36..39 | 41 42 | short and long range (tiles) | 48..51 | 53 | 58..64
0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 2 0 0 0 0 0 0 0 0
0 0 0 0 0 0 0 0
0 0 0 0 0 0 0
0

ZakTest, None, Zak, AnimTest, FlyTest, Electro
3 0
None
0 0 0 0 0 0 0
0 0 0 0 0 0 0
| 29 30 31 32 33 | reload | 36..39 | 41 42 | short and long range (tiles) | 48..51 | 53 | 58..64
0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 2 0 0 0 0 0 0 0 0
0 0 0 0 0 0 0 0
0 0 0 0 0 0 0
2 5 10 0 0

