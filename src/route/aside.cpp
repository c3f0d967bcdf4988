#include "route/aside.h"

#include "runtime/console.h"

void route::PrintAside(int column, const std::string& text) {
  const int row = RtCsrlin();
  const int back = RtPos();
  RtLocate(column, row);
  RtPrintStr(text, false);
  RtLocate(back, row);
}
