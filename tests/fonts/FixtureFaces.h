// The fixture fonts, one line each: file name and family name. The font script
// (make_fixture_fonts.py) reads these lines too, so both always agree.
// "TSFX CASE" and "Tsfx Case" differ only in letter case.
FIXTURE_FACE("tsfx-alpha.ttf", "Tsfx Alpha")
FIXTURE_FACE("tsfx-beta.ttf", "tsfx beta")
FIXTURE_FACE("tsfx-gamma.ttf", "Tsfx Gamma")
FIXTURE_FACE("tsfx-case-upper.ttf", "TSFX CASE")
FIXTURE_FACE("tsfx-case-mixed.ttf", "Tsfx Case")
