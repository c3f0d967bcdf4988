#include "profile/item_names.h"

#include "core/app.h"

void SetProfileItemNames(App& app) {
  static const char* const kNames[] = {
      "空　　白",   "測　　点",   "単距離",     "追加距離",   "地盤高",     "斜距離",
      "斜追加距離", "垂　　直",   "傾斜角度",   "渓流勾配",   "曲　　線",   "計画高",
      "切　　土",   "盛　　土",   "勾　　配",   "施工比較",   "短破線",     "長破線",
      "一点鎖線",   "二点鎖線",   "点　　線",   "短破線勾配", "長破線勾配", "一点鎖勾配",
      "二点鎖勾配", "点線勾配",   "擦付片勾配", "擦付拡幅"};
  int item = 0;
  for (const char* name : kNames) app.profile.ProfileItemName(item++) = name;
}
