// What cp932_literals does to each form of literal; the checking build compares
// its output with sample.expected.cpp. A comment's "測量" and 'x' stay as they are.
/* So does a block comment's "測" */
const char* plain = "測量";
const char* escapes = "点\x41\"測\\";
const char* digitAfter = "表1";  // 表 ends in the byte of "\": the digit stays a digit
const char* halfWidth = "ｱｲ";
const char* universal = "\u6E2C";
const char8_t* utf8 = u8"測量";
const char* raw = R"(a "quoted" word)";
const char* concatenated = "測" "量";
const int separated = 1'000'000;
const char character = '\'';
const char* afterCharacter = "量";
