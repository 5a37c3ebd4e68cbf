#include "events/dailypage.h"

#include "events/alarm.h"

namespace zw {

int CDailyPage::Frequency() const {
  return kDaily;
}

}  // namespace zw
