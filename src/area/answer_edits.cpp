#include "area/answer_edits.h"

#include <string>

#include "runtime/text.h"
#include "shell/app.h"

void CaretToSpaceInAnswer(App& app) {
  std::string& answer = app.input.Answer;
  if (answer.empty() || answer[0] != '^') return;
  answer = " " + RtMid(answer, 2, 12);
}
