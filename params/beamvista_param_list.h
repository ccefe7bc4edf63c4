#pragma once
// The 132 preview parameters in their fixed order: the one list from which the handlers, the
// record's fields, the tagged stream and the dialog's entry list are all made.
//
// Each row: BV_O(R, name without "o_", ...) or BV_X(R, hexadecimal digits of the name, ...), then
// storage in the record, default, minimum, maximum, step, the three display-format integers of a
// real (integer digits, fraction digits, width), block and stream tag. Both pass on to
// R(field, "name", storage, default, minimum, maximum, step, intDigits, fracDigits, width, block,
// tag); a hexadecimal name's record field is "p" and the name ("p0x9007").
//
// Storage: Byte for the 0..1 switches, Int32 for the other integers, Float for the reals (whose
// handlers hold doubles), Text for the file names (default empty, maximum length 255 in the
// maximum column). Every fine step is 0, so each value's fine step is a hundredth of its step.

#define BV_O(R, id, ...) R(o_##id, "o_" #id, __VA_ARGS__)
#define BV_X(R, digits, ...) R(p0x##digits, "0x" #digits, __VA_ARGS__)

// clang-format off
#define ZYL_BEAMVISTA_PARAMETERS(R) \
    BV_O(R, graphics_force,         Int32, 2,      0,        2,       0.01,     0, 0, 0, Main,        0x1100) \
    BV_O(R, graphics_intensity,     Float, 1,      0,        9,       0.001,    1, 4, 0, Main,        0x1110) \
    BV_O(R, graphics_size_x,        Float, 1,      -10,      10,      0.001,    1, 4, 0, Main,        0x1120) \
    BV_O(R, graphics_size_y,        Float, 1,      -10,      10,      0.001,    1, 4, 0, Main,        0x1130) \
    BV_O(R, graphics_pos_x,         Float, 0,      -10,      10,      0.001,    1, 4, 0, Main,        0x1140) \
    BV_O(R, graphics_pos_y,         Float, 0,      -10,      10,      0.001,    1, 4, 0, Main,        0x1150) \
    BV_O(R, fog_force,              Int32, 2,      0,        2,       0.01,     0, 0, 0, Main,        0x1200) \
    BV_O(R, fog_intensity,          Float, 1,      0,        9,       0.001,    1, 4, 0, Main,        0x1210) \
    BV_O(R, fog_min_int,            Float, 1,      0,        9,       0.001,    1, 4, 0, Main,        0x1220) \
    BV_O(R, scanner_pos_x,          Float, 0,      -10,      10,      0.001,    1, 4, 0, Main,        0x1230) \
    BV_O(R, scanner_pos_y,          Float, 0,      -10,      10,      0.001,    1, 4, 0, Main,        0x1240) \
    BV_O(R, beam_detect_force,      Int32, 2,      0,        2,       0.01,     0, 0, 0, Main,        0x1300) \
    BV_O(R, beam_detect_intensity,  Float, 1,      0,        9,       0.001,    1, 4, 0, Main,        0x1310) \
    BV_O(R, beam_detect_repeat,     Int32, 0,      -100,     100,     0.01,     0, 0, 0, Main,        0x1320) \
    BV_O(R, beam_tab_force,         Int32, 2,      0,        2,       0.01,     0, 0, 0, Main,        0x1400) \
    BV_O(R, beam_tab_intensity,     Float, 1,      0,        9,       0.001,    1, 4, 0, Main,        0x1410) \
    BV_O(R, line_width,             Float, 2,      0,        99,      0.001,    1, 4, 0, Main,        0x2000) \
    BV_O(R, fog_structure,          Float, 1,      0,        1,       0.001,    1, 4, 0, Main,        0x3000) \
    BV_O(R, fog_cloud_mix,          Float, 0.3,    0,        1,       0.001,    1, 4, 0, Main,        0x3010) \
    BV_O(R, fog_speed,              Float, 0.05,   -1000000, 1000000, 0.0001,   3, 4, 0, Main,        0x3020) \
    BV_O(R, fog_dir,                Float, -70,    -360,     360,     0.1,      3, 4, 0, Main,        0x3030) \
    BV_O(R, fog_dir2,               Float, 20,     -360,     360,     0.1,      3, 4, 0, Main,        0x3040) \
    BV_O(R, fog_rot,                Float, 29.12,  -360,     360,     0.1,      3, 4, 0, Main,        0x3050) \
    BV_O(R, force_generic_opengl,   Byte,  0,      0,        1,       0.1,      0, 0, 0, OpenGl,      0x4000) \
    BV_O(R, enhanced_lines,         Byte,  1,      0,        1,       0.1,      0, 0, 0, OpenGl,      0x4010) \
    BV_O(R, beam_profile,           Byte,  0,      0,        1,       0.1,      0, 0, 0, OpenGl,      0x4020) \
    BV_O(R, polygon_smooth,         Byte,  1,      0,        1,       0.1,      0, 0, 0, OpenGl,      0x4030) \
    BV_O(R, fog_3d,                 Byte,  0,      0,        1,       0.1,      0, 0, 0, OpenGl,      0x4040) \
    BV_O(R, enhanced_lines_beam,    Byte,  0,      0,        1,       0.1,      0, 0, 0, OpenGl,      0x4050) \
    BV_O(R, opengl_reset,           Byte,  0,      0,        1,       0.1,      0, 0, 0, OpenGl,      0x4100) \
    BV_O(R, opengl_default,         Byte,  0,      0,        1,       0.1,      0, 0, 0, OpenGl,      0x4110) \
    BV_O(R, opengl_save_as_default, Byte,  0,      0,        1,       0.1,      0, 0, 0, OpenGl,      0x4120) \
    BV_O(R, no_blending,            Byte,  0,      0,        1,       0.1,      0, 0, 0, OpenGl,      0x4200) \
    BV_O(R, draw_circle,            Byte,  0,      0,        1,       0.1,      0, 0, 0, OpenGl,      0x5000) \
    BV_O(R, draw_plane,             Byte,  0,      0,        1,       0.1,      0, 0, 0, OpenGl,      0x5010) \
    BV_O(R, simulate,               Byte,  1,      0,        1,       0.1,      0, 0, 0, Simulation,  0x6000) \
    BV_O(R, sim_pos,                Byte,  1,      0,        1,       0.1,      0, 0, 0, Simulation,  0x6010) \
    BV_O(R, sim_intensity,          Byte,  1,      0,        1,       0.1,      0, 0, 0, Simulation,  0x6020) \
    BV_O(R, sim_freqf,              Float, 1,      0,        100,     0.001,    3, 4, 0, Simulation,  0x6110) \
    BV_O(R, sim_color_delayf,       Float, 0.85,   0,        4,       0.0005,   2, 4, 0, Simulation,  0x6120) \
    BV_O(R, bg0,                    Int32, 2,      0,        2,       0.01,     0, 0, 0, Backgrounds, 0x7100) \
    BV_O(R, bg0_load,               Byte,  0,      0,        1,       0.1,      0, 0, 0, Backgrounds, 0x7110) \
    BV_O(R, bg0_filename,           Text,  0,      0,        255,     0,        0, 0, 0, Backgrounds, 0x7120) \
    BV_O(R, bg0_intensity,          Float, 1,      0,        9,       0.001,    1, 4, 0, Backgrounds, 0x7130) \
    BV_O(R, bg0_size_x,             Float, 1,      -10,      10,      0.001,    1, 4, 0, Backgrounds, 0x7140) \
    BV_O(R, bg0_size_y,             Float, 1,      -10,      10,      0.001,    1, 4, 0, Backgrounds, 0x7150) \
    BV_O(R, bg0_pos_x,              Float, 0,      -20,      20,      0.001,    1, 4, 0, Backgrounds, 0x7160) \
    BV_O(R, bg0_pos_y,              Float, 0,      -20,      20,      0.001,    1, 4, 0, Backgrounds, 0x7170) \
    BV_O(R, bg1,                    Int32, 2,      0,        2,       0.01,     0, 0, 0, Backgrounds, 0x7200) \
    BV_O(R, bg1_load,               Byte,  0,      0,        1,       0.1,      0, 0, 0, Backgrounds, 0x7210) \
    BV_O(R, bg1_filename,           Text,  0,      0,        255,     0,        0, 0, 0, Backgrounds, 0x7220) \
    BV_O(R, bg1_intensity,          Float, 1,      0,        9,       0.001,    1, 4, 0, Backgrounds, 0x7230) \
    BV_O(R, bg1_size_x,             Float, 1,      -10,      10,      0.001,    1, 4, 0, Backgrounds, 0x7240) \
    BV_O(R, bg1_size_y,             Float, 1,      -10,      10,      0.001,    1, 4, 0, Backgrounds, 0x7250) \
    BV_O(R, bg1_pos_x,              Float, 0,      -20,      20,      0.001,    1, 4, 0, Backgrounds, 0x7260) \
    BV_O(R, bg1_pos_y,              Float, 0,      -20,      20,      0.001,    1, 4, 0, Backgrounds, 0x7270) \
    BV_O(R, bg2,                    Int32, 2,      0,        2,       0.01,     0, 0, 0, Backgrounds, 0x7300) \
    BV_O(R, bg2_load,               Byte,  0,      0,        1,       0.1,      0, 0, 0, Backgrounds, 0x7310) \
    BV_O(R, bg2_filename,           Text,  0,      0,        255,     0,        0, 0, 0, Backgrounds, 0x7320) \
    BV_O(R, bg2_intensity,          Float, 1,      0,        9,       0.001,    1, 4, 0, Backgrounds, 0x7330) \
    BV_O(R, bg2_size_x,             Float, 1,      -10,      10,      0.001,    1, 4, 0, Backgrounds, 0x7340) \
    BV_O(R, bg2_size_y,             Float, 1,      -10,      10,      0.001,    1, 4, 0, Backgrounds, 0x7350) \
    BV_O(R, bg2_pos_x,              Float, 0,      -20,      20,      0.001,    1, 4, 0, Backgrounds, 0x7360) \
    BV_O(R, bg2_pos_y,              Float, 0,      -20,      20,      0.001,    1, 4, 0, Backgrounds, 0x7370) \
    BV_O(R, bg3,                    Int32, 2,      0,        2,       0.01,     0, 0, 0, Backgrounds, 0x7400) \
    BV_O(R, bg3_load,               Byte,  0,      0,        1,       0.1,      0, 0, 0, Backgrounds, 0x7410) \
    BV_O(R, bg3_filename,           Text,  0,      0,        255,     0,        0, 0, 0, Backgrounds, 0x7420) \
    BV_O(R, bg3_intensity,          Float, 1,      0,        9,       0.001,    1, 4, 0, Backgrounds, 0x7430) \
    BV_O(R, bg3_size_x,             Float, 1,      -10,      10,      0.001,    1, 4, 0, Backgrounds, 0x7440) \
    BV_O(R, bg3_size_y,             Float, 1,      -10,      10,      0.001,    1, 4, 0, Backgrounds, 0x7450) \
    BV_O(R, bg3_pos_x,              Float, 0,      -20,      20,      0.001,    1, 4, 0, Backgrounds, 0x7460) \
    BV_O(R, bg3_pos_y,              Float, 0,      -20,      20,      0.001,    1, 4, 0, Backgrounds, 0x7470) \
    BV_X(R, 10010,                  Int32, 1,      1,        10,      0.01,     0, 0, 0, Extended,    0x10010) \
    BV_X(R, 21015,                  Float, 2,      0,        99,      0.001,    1, 4, 0, Extended,    0x21015) \
    BV_X(R, 21020,                  Float, 0,      -99,      99,      0.001,    1, 4, 0, Extended,    0x21020) \
    BV_X(R, 21030,                  Float, 1,      -99,      99,      0.001,    1, 4, 0, Extended,    0x21030) \
    BV_X(R, 21040,                  Float, 0.5,    -99,      99,      0.001,    1, 4, 0, Extended,    0x21040) \
    BV_X(R, 21050,                  Float, 1,      0,        99,      0.001,    1, 4, 0, Extended,    0x21050) \
    BV_X(R, 21060,                  Float, 0,      0,        1,       0.001,    1, 4, 0, Extended,    0x21060) \
    BV_X(R, 21070,                  Float, 1,      0,        99,      0.001,    1, 4, 0, Extended,    0x21070) \
    BV_X(R, 21080,                  Byte,  0,      0,        1,       0.1,      0, 0, 0, Extended,    0x21080) \
    BV_X(R, 21090,                  Byte,  0,      0,        1,       0.1,      0, 0, 0, Extended,    0x21090) \
    BV_X(R, 9007,                   Byte,  0,      0,        1,       0.1,      0, 0, 0, Extended,    0x9007) \
    BV_X(R, 9008,                   Byte,  1,      0,        1,       0.1,      0, 0, 0, Extended,    0x9008) \
    BV_X(R, 9009,                   Float, 0,      -100,     100,     0.0001,   3, 4, 0, Extended,    0x9009) \
    BV_X(R, 9010,                   Float, 0,      -100,     100,     0.0001,   3, 4, 0, Extended,    0x9010) \
    BV_X(R, 11100,                  Float, 30,     0,        999,     0.001,    3, 4, 0, Extended,    0x11100) \
    BV_X(R, 11110,                  Float, 1,      0.001,    10,      0.001,    3, 4, 0, Extended,    0x11110) \
    BV_X(R, 11120,                  Byte,  0,      0,        1,       0.1,      0, 0, 0, Extended,    0x11120) \
    BV_X(R, 11220,                  Float, 1.05,   -10,      10,      0.0001,   2, 4, 0, Extended,    0x11220) \
    BV_X(R, 11230,                  Float, 1.11,   -10,      10,      0.0001,   2, 4, 0, Extended,    0x11230) \
    BV_X(R, 11260,                  Int32, 4,      1,        16,      0.01,     0, 0, 0, Extended,    0x11260) \
    BV_X(R, 11270,                  Int32, 3,      0,        32,      0.01,     0, 0, 0, Extended,    0x11270) \
    BV_X(R, 11280,                  Float, 0,      0,        1,       0.0001,   1, 4, 0, Extended,    0x11280) \
    BV_X(R, 11290,                  Float, 0,      0,        1,       0.0001,   1, 4, 0, Extended,    0x11290) \
    BV_X(R, 91200,                  Byte,  1,      0,        1,       0.1,      0, 0, 0, Extended,    0x91200) \
    BV_X(R, 91205,                  Int32, 115,    0,        255,     0.01,     0, 0, 0, Extended,    0x91205) \
    BV_X(R, 91206,                  Float, 0.97,   0,        1,       0.0001,   1, 4, 0, Extended,    0x91206) \
    BV_X(R, 91207,                  Float, 1.4,    0,        8,       0.001,    1, 4, 0, Extended,    0x91207) \
    BV_X(R, 91211,                  Float, 1,      -1000000, 1000000, 0.0001,   3, 4, 0, Extended,    0x91211) \
    BV_X(R, 91212,                  Float, 1,      -1000000, 1000000, 0.0001,   3, 4, 0, Extended,    0x91212) \
    BV_X(R, 91213,                  Float, 1,      -1000000, 1000000, 0.0001,   3, 4, 0, Extended,    0x91213) \
    BV_X(R, 91214,                  Float, 1,      -1000000, 1000000, 0.0001,   3, 4, 0, Extended,    0x91214) \
    BV_X(R, 91208,                  Int32, 3,      0,        8,       0.01,     0, 0, 0, Extended,    0x91208) \
    BV_X(R, 91215,                  Byte,  0,      0,        1,       0.1,      0, 0, 0, Extended,    0x91215) \
    BV_X(R, 91224,                  Float, 4,      1,        99,      0.001,    1, 4, 0, Extended,    0x91224) \
    BV_X(R, 91225,                  Float, 0.5,    0,        1,       0.001,    1, 4, 0, Extended,    0x91225) \
    BV_X(R, 91250,                  Float, 0.0002, 0,        1,       0.000001, 1, 4, 0, Extended,    0x91250) \
    BV_X(R, 91260,                  Byte,  1,      0,        1,       0.1,      0, 0, 0, Extended,    0x91260) \
    BV_X(R, 2002,                   Float, 0,      -1000000, 1000000, 0.0001,   3, 4, 0, Extended,    0x2002) \
    BV_X(R, 2003,                   Float, 4,      0,        1000,    0.001,    2, 3, 0, Extended,    0x2003) \
    BV_X(R, 2004,                   Float, 1,      0,        10,      0.001,    2, 3, 0, Extended,    0x2004) \
    BV_X(R, 93002,                  Float, 1,      -1000000, 1000000, 0.0001,   3, 4, 0, Extended,    0x93002) \
    BV_X(R, 94005,                  Float, 0,      0,        99,      0.001,    1, 4, 0, Extended,    0x94005) \
    BV_X(R, 9001,                   Byte,  0,      0,        1,       0.1,      0, 0, 0, Extended,    0x9001) \
    BV_X(R, 9002,                   Byte,  0,      0,        1,       0.1,      0, 0, 0, Extended,    0x9002) \
    BV_X(R, 9003,                   Byte,  1,      0,        1,       0.1,      0, 0, 0, Extended,    0x9003) \
    BV_X(R, 9030,                   Byte,  0,      0,        1,       0.1,      0, 0, 0, Extended,    0x9030) \
    BV_X(R, 9040,                   Byte,  0,      0,        1,       0.1,      0, 0, 0, Extended,    0x9040) \
    BV_X(R, 10099,                  Byte,  1,      0,        1,       0.1,      0, 0, 0, Extended,    0x10099) \
    BV_X(R, 10098,                  Byte,  1,      0,        1,       0.1,      0, 0, 0, Extended,    0x10098) \
    BV_X(R, 10100,                  Byte,  1,      0,        1,       0.1,      0, 0, 0, Extended,    0x10100) \
    BV_X(R, 10110,                  Byte,  1,      0,        1,       0.1,      0, 0, 0, Extended,    0x10110) \
    BV_X(R, 10120,                  Byte,  1,      0,        1,       0.1,      0, 0, 0, Extended,    0x10120) \
    BV_X(R, 10130,                  Byte,  0,      0,        1,       0.1,      0, 0, 0, Extended,    0x10130) \
    BV_X(R, 10140,                  Byte,  1,      0,        1,       0.1,      0, 0, 0, Extended,    0x10140) \
    BV_X(R, 10210,                  Byte,  1,      0,        1,       0.1,      0, 0, 0, Extended,    0x10210) \
    BV_X(R, 10220,                  Byte,  1,      0,        1,       0.1,      0, 0, 0, Extended,    0x10220) \
    BV_X(R, 10230,                  Byte,  1,      0,        1,       0.1,      0, 0, 0, Extended,    0x10230) \
    BV_X(R, 10300,                  Byte,  0,      0,        1,       0.1,      0, 0, 0, Extended,    0x10300) \
    BV_X(R, 10310,                  Int32, 1,      1,        16,      0.01,     0, 0, 0, Extended,    0x10310) \
    BV_X(R, 20010,                  Byte,  0,      0,        1,       0.1,      0, 0, 0, Extended,    0x20010)
// clang-format on
