// What cp932_literals does to each form of literal; the checking build compares
// its output with sample.expected.cpp. A comment's "測量" and 'x' stay as they are.
/* So does a block comment's "測" */
const char* plain = "\221\252\227\312";
const char* escapes = "\223\137\x41\"\221\252\\";
const char* digitAfter = "\225\1341";  // 表 ends in the byte of "\": the digit stays a digit
const char* halfWidth = "\261\262";
const char* universal = "\221\252";
const char8_t* utf8 = u8"測量";
const char* raw = R"(a "quoted" word)";
const char* concatenated = "\221\252" "\227\312";
const int separated = 1'000'000;
const char character = '\'';
const char* afterCharacter = "\227\312";
