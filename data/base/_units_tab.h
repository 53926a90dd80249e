// Unit presets: one row per preset, numbered 1..4, each named after its
// test variant (AnimTest 1, CarTest 2, TankTest 3, FlyTest 4).
// A row: header (name, living type, rank, class, faction, path layer, call-in);
// number, slot count and a spare number; the slot line; a label line;
// 25 numbers (hit points, armour, third pool, regeneration, large flag, price
// among them); the weapon line (the second field fires), the second item line
// and the technology line; a label line; 26 numbers (sound priority, the
// selectable flag, occupancy layer, radius, sight and second distance in tiles,
// turn interval); 6 model choices; a spare number; a label line; 10 floats.

AnimTest, Soldat, Min, Inf, Komun, LandCar, 
1 0 0
None
| hit points, armour, third | regeneration | large | 67 40 41 | 92..94 | price | 68..70 | 84..87 | 82 83
50 10 0 0 0 0 0 0 0 0 0 0 0 60 0 0 0 0 0 0 0 0 0 0 0
ArmorTest, GunTest, ZakTest, , 
, , , , , , , 
X1, , , , , , , 
| 88..91 | 58 59 | table | minimap | sound | selectable | layer | radius | sight | 64 | range | 63 | 116..121 | turn ms | 125 127 123
0 0 0 0 0 0 1 0 20 1 0 3 8 0 6 0 0 0 0 0 0 0 300 0 0 0
0 0 0 0 0 0
0
| 1 | near: flying, on a path | turn per ms | 5 | speeds per second: cruise, not facing, turning, waiting | acceleration per ms
1 10 4 0.25 0 15 6 8 3 0.2

CarTest, Robo, Min, Car, Komun, LandCar, 
2 0 0
None
| hit points, armour, third | regeneration | large | 67 40 41 | 92..94 | price | 68..70 | 84..87 | 82 83
100 60 0 0 0 0 0 0 0 0 0 0 0 150 20 0 0 0 0 0 0 0 0 0 0
ArmorTest, GunTest, ZakTest, , 
, , , , , , , 
X1, , , , , , , 
| 88..91 | 58 59 | table | minimap | sound | selectable | layer | radius | sight | 64 | range | 63 | 116..121 | turn ms | 125 127 123
0 0 0 0 0 0 1 0 50 1 0 5 10 0 8 0 0 0 0 0 0 0 400 0 0 0
0 0 0 0 0 0
0
| 1 | near: flying, on a path | turn per ms | 5 | speeds per second: cruise, not facing, turning, waiting | acceleration per ms
1 10 4 0.2 0 30 10 15 4 0.2

TankTest, Robo, Mid, Tank, Komun, HardTank, 
3 0 0
None
| hit points, armour, third | regeneration | large | 67 40 41 | 92..94 | price | 68..70 | 84..87 | 82 83
200 120 0 0 0 0 0 0 0 0 0 0 0 300 40 0 0 0 0 0 0 0 0 0 0
ArmorTest, GunTest, ZakTest, , 
, , , , , , , 
X1, , , , , , , 
| 88..91 | 58 59 | table | minimap | sound | selectable | layer | radius | sight | 64 | range | 63 | 116..121 | turn ms | 125 127 123
0 0 0 0 0 0 1 0 60 1 0 6 10 0 8 0 0 0 0 0 0 0 500 0 0 0
0 0 0 0 0 0
0
| 1 | near: flying, on a path | turn per ms | 5 | speeds per second: cruise, not facing, turning, waiting | acceleration per ms
1 10 4 0.15 0 20 8 10 3 0.15

FlyTest, Robo, Mid, Air, Komun, LowFly, 
4 0 0
None
| hit points, armour, third | regeneration | large | 67 40 41 | 92..94 | price | 68..70 | 84..87 | 82 83
80 30 0 0 0 0 0 0 0 0 0 0 0 250 30 0 0 0 0 0 0 0 0 0 0
ArmorTest, GunTest, ZakTest, , 
, , , , , , , 
X1, , , , , , , 
| 88..91 | 58 59 | table | minimap | sound | selectable | layer | radius | sight | 64 | range | 63 | 116..121 | turn ms | 125 127 123
0 0 0 0 0 0 1 0 40 1 1 5 12 0 8 0 0 0 0 0 0 0 300 0 0 0
0 0 0 0 0 0
0
| 1 | near: flying, on a path | turn per ms | 5 | speeds per second: cruise, not facing, turning, waiting | acceleration per ms
1 20 4 0.1 0 50 25 25 10 0.2

