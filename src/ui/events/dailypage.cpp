#include "ui/events/dailypage.h"

#include "events/event.h"

namespace zw {

int CDailyPage::Frequency() const {
  return kDaily;
}

}  // namespace zw
