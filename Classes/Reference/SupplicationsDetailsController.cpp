#include "Classes/Reference/SupplicationsDetailsController.h"

namespace {

const SupplicationsDetailsController::Theme kThemes[SupplicationsDetailsController::kThemeCount] = {
    {"Faith", "6", {"2:139", "3:53", "7:89", "12:108", "18:14", "39:11"}},
    {"Submission", "12",
     {"2:156", "3:20", "6:79", "6:162", "7:196", "11:56", "11:123", "14:38", "25:58", "26:78", "39:46", "67:29"}},
    {"Praise", "19",
     {"3:191", "4:71", "6:100", "7:54", "15:98", "17:108", "23:14", "25:61", "30:17", "36:83", "40:64", "43:82",
      "43:85", "55:78", "59:23", "64:1", "67:1", "87:1", "110:3"}},
    {"Patience", "12",
     {"2:250", "3:8", "6:77", "7:47", "7:126", "12:86", "14:12", "16:127", "17:96", "18:10", "28:22", "44:12"}},
    {"Forgiveness", "15",
     {"2:285", "2:286", "3:16", "3:147", "3:193", "7:23", "7:143", "21:87", "23:118", "28:16", "40:7", "59:10",
      "60:4", "66:8", "68:29"}},
    {"Family", "9", {"2:128", "3:38", "14:40", "17:24", "21:89", "25:74", "37:100", "46:15", "71:28"}},
    {"Provisions", "7", {"2:201", "3:194", "5:114", "7:156", "20:25", "28:24", "40:8"}},
    {"Knowledge", "2", {"20:114", "26:83"}},
    {"Thanks", "5", {"7:43", "27:40", "28:70", "39:66", "45:36"}},
    {"Protection", "11",
     {"2:255", "9:126", "10:85", "11:47", "12:64", "12:101", "23:97", "25:65", "34:41", "113:1", "114:1"}},
};

}  // namespace

const SupplicationsDetailsController::Theme& SupplicationsDetailsController::theme(int index) {
    return kThemes[index < 0 || index >= kThemeCount ? 0 : index];
}

void SupplicationsDetailsController::loadList() {
    arrCompuls.clear();
    const bool known = isection() >= 0 && isection() < kThemeCount;
    createSectionForArray(known ? theme(isection()).references : std::vector<std::string>{});
    if (tblTable) tblTable->reloadData();
}
