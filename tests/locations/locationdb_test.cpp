// SPDX-License-Identifier: GPL-3.0-or-later
#include "locations/locationdb.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <vector>

#include "support/fakeclock.h"
#include "support/recordingsink.h"

using namespace zw;

namespace {

std::unique_ptr<CLocation> Make(int type, const std::string& country, const std::string& name) {
  auto loc = std::make_unique<CLocation>();
  loc->SetType(type);
  loc->SetCountry(country);
  loc->SetName(name);
  return loc;
}

class LocationDBTest : public ::testing::Test {
 protected:
  void Add(int type, const std::string& country, const std::string& name) {
    m_db.Insert(Make(type, country, name));
  }

  // The (type, country, name) key of every entry, in array order.
  std::vector<std::string> Keys() const {
    std::vector<std::string> keys;
    for (std::size_t i = 0; i < m_db.Count(); ++i) {
      const CLocation* l = m_db.At(i);
      keys.push_back(std::to_string(l->GetType()) + "|" + l->Country() + "|" + l->Name());
    }
    return keys;
  }

  bool IsOrdered() const {
    for (std::size_t i = 1; i < m_db.Count(); ++i) {
      const CLocation* a = m_db.At(i - 1);
      const CLocation* b = m_db.At(i);
      using Key = std::tuple<int, const std::string&, const std::string&>;
      const Key ka{a->GetType(), a->Country(), a->Name()};
      const Key kb{b->GetType(), b->Country(), b->Name()};
      if (kb < ka) {
        return false;
      }
    }
    return true;
  }

  test::FakeClock m_clock{2026, 12, 8, 12, 0, 0};
  CLocationDB m_db;
};

}  // namespace

TEST_F(LocationDBTest, InsertKeepsTypeCountryNameOrder) {
  Add(1, "Germany", "Berlin");
  Add(9, "Friends", "Anna");
  Add(1, "France", "Lyon");
  Add(2, "California", "415");
  Add(1, "Austria", "Vienna");
  Add(1, "France", "Marseille");
  // Paris goes after every city of a country sorting before France, before Germany's first
  // city, and among the French cities by name.
  Add(1, "France", "Paris");
  EXPECT_EQ(Keys(), (std::vector<std::string>{
                        "1|Austria|Vienna", "1|France|Lyon", "1|France|Marseille", "1|France|Paris",
                        "1|Germany|Berlin", "2|California|415", "9|Friends|Anna"}));
}

TEST_F(LocationDBTest, CustomLocationsSortAfterCitiesAndAreaCodes) {
  Add(9, "AAA", "AAA");
  Add(2, "zzz", "zzz");
  Add(1, "\xFF", "\xFF");
  EXPECT_EQ(m_db.At(0)->GetType(), 1);
  EXPECT_EQ(m_db.At(1)->GetType(), 2);
  EXPECT_EQ(m_db.At(2)->GetType(), 9);
}

TEST_F(LocationDBTest, OrderIsByteWiseWithHighBytesAfterAscii) {
  Add(1, "C\xF4te d'Ivoire", "Abidjan");  // Latin-1 o-circumflex
  Add(1, "Cuba", "Havana");
  Add(1, "Chad", "N'Djamena");
  Add(1, "Colombia", "bogota");
  Add(1, "Colombia", "Bogota");
  Add(1, "Colombia", "\xC1guila");  // A-acute
  EXPECT_EQ(Keys(), (std::vector<std::string>{"1|Chad|N'Djamena", "1|Colombia|Bogota",
                                              "1|Colombia|bogota", "1|Colombia|\xC1guila",
                                              "1|Cuba|Havana", "1|C\xF4te d'Ivoire|Abidjan"}));
}

TEST_F(LocationDBTest, InsertPositionMatchesLinearScanOverRandomData) {
  std::mt19937 rng(7);
  const std::vector<std::string> parts = {"", "a", "b", "B", "\xE9", "ab", "ba", "\x80"};
  for (int i = 0; i < 600; ++i) {
    const int type = std::vector<int>{1, 2, 9}[rng() % 3];
    auto loc = Make(type, parts[rng() % parts.size()], parts[rng() % parts.size()]);
    // The first entry that belongs after the new one, scanning from the start.
    std::size_t linear = m_db.Count();
    for (std::size_t j = 0; j < m_db.Count(); ++j) {
      const CLocation* e = m_db.At(j);
      if (e->GetType() > type || (e->GetType() == type && e->Country() > loc->Country()) ||
          (e->GetType() == type && e->Country() == loc->Country() && e->Name() >= loc->Name())) {
        linear = j;
        break;
      }
    }
    ASSERT_EQ(m_db.InsertPosition(*loc, type), linear);
    m_db.InsertAt(std::move(loc), linear);
  }
  EXPECT_TRUE(IsOrdered());
}

TEST_F(LocationDBTest, FindNeedsNameAndCountryExactly) {
  Add(1, "United States", "Springfield");
  Add(1, "Australia", "Springfield");
  EXPECT_EQ(m_db.Find("Springfield", "United States"), 1);
  EXPECT_EQ(m_db.Find("Springfield", "Australia"), 0);
  EXPECT_EQ(m_db.Find("Springfield", "Canada"), -1);
  EXPECT_EQ(m_db.Find("springfield", "Australia"), -1);
  EXPECT_EQ(m_db.Find("Springfield", ""), -1);
}

TEST_F(LocationDBTest, RemoveWithDestroyAlsoLeavesTheClock) {
  Add(1, "France", "Paris");
  Add(1, "Japan", "Tokyo");
  Add(1, "Peru", "Lima");
  ASSERT_TRUE(m_db.AddToClock(m_db.At(2)));
  ASSERT_TRUE(m_db.AddToClock(m_db.At(1)));
  EXPECT_EQ(m_db.RemoveAt(1, true), nullptr);
  EXPECT_EQ(m_db.Count(), 2u);
  ASSERT_EQ(m_db.ClockCount(), 1u);
  EXPECT_EQ(m_db.ClockAt(0)->Name(), "Lima");
  EXPECT_EQ(m_db.RemoveAt(99, true), nullptr);
}

TEST_F(LocationDBTest, UnlinkKeepsTheObjectAndItsClockLine) {
  Add(1, "France", "Paris");
  Add(1, "Japan", "Tokyo");
  CLocation* tokyo = m_db.At(1);
  ASSERT_TRUE(m_db.AddToClock(tokyo));
  std::unique_ptr<CLocation> taken = m_db.RemoveAt(1, false);
  ASSERT_EQ(taken.get(), tokyo);
  EXPECT_EQ(m_db.Count(), 1u);
  EXPECT_EQ(m_db.ClockAt(0), tokyo);
  taken->SetCountry("Aland");
  m_db.Insert(std::move(taken));
  EXPECT_EQ(m_db.At(0), tokyo);
  EXPECT_TRUE(IsOrdered());
}

TEST_F(LocationDBTest, RepositionMovesAChangedLocation) {
  Add(1, "France", "Lyon");
  Add(1, "France", "Paris");
  Add(1, "Germany", "Berlin");
  CLocation* lyon = m_db.At(0);
  lyon->SetName("Zurich");
  lyon->SetCountry("Switzerland");
  EXPECT_EQ(m_db.Reposition(0), 2u);
  EXPECT_EQ(m_db.At(2), lyon);
  EXPECT_TRUE(IsOrdered());
}

TEST_F(LocationDBTest, ClockListHoldsAtMostTen) {
  for (int i = 0; i < 11; ++i) {
    Add(1, "Country", "City " + std::to_string(i));
  }
  for (std::size_t i = 0; i < 10; ++i) {
    ASSERT_TRUE(m_db.AddToClock(m_db.At(i)));
  }
  test::RecordingSink sink;
  EXPECT_FALSE(m_db.AddToClock(m_db.At(10), sink));
  EXPECT_EQ(m_db.ClockCount(), 10u);
  ASSERT_EQ(sink.Messages().size(), 1u);
  EXPECT_EQ(sink.Messages()[0].kind, test::RecordingSink::Kind::kWarn);
  EXPECT_EQ(sink.LastText(),
            "A maximum of 10 locations can be displayed on the clock at one time.  Please remove "
            "one using the pop-up menu before adding another.");
  EXPECT_FALSE(m_db.AddToClock(m_db.At(10)));
  EXPECT_EQ(m_db.ClockCount(), 10u);
}

TEST_F(LocationDBTest, ClockChangesTellTheClockWindow) {
  Add(1, "A", "a");
  Add(1, "B", "b");
  std::vector<CLocationDB::ClockChange> seen;
  m_db.SetClockListener([&seen](CLocationDB::ClockChange c) { seen.push_back(c); });
  m_db.AddToClock(m_db.At(0));
  m_db.AddToClock(m_db.At(1));
  m_db.RemoveFromClock(0);
  m_db.RemoveFromClock(5);
  EXPECT_EQ(seen, (std::vector<CLocationDB::ClockChange>{CLocationDB::ClockChange::kRelayoutLater,
                                                         CLocationDB::ClockChange::kRelayoutLater,
                                                         CLocationDB::ClockChange::kRepaintNow}));
}

TEST_F(LocationDBTest, MoveOnClockReordersLines) {
  for (const char* n : {"a", "b", "c", "d"}) {
    Add(1, "X", n);
    m_db.AddToClock(m_db.At(m_db.Count() - 1));
  }
  const auto names = [this] {
    std::string s;
    for (std::size_t i = 0; i < m_db.ClockCount(); ++i) {
      s += m_db.ClockAt(i)->Name();
    }
    return s;
  };
  m_db.MoveOnClock(0, 3);
  EXPECT_EQ(names(), "bcda");
  m_db.MoveOnClock(3, 0);
  EXPECT_EQ(names(), "abcd");
  m_db.MoveOnClock(1, 2);
  EXPECT_EQ(names(), "acbd");
  m_db.MoveOnClock(0, 9);
  m_db.MoveOnClock(9, 0);
  EXPECT_EQ(names(), "acbd");
}

TEST_F(LocationDBTest, LineColourStaysWithItsLocationUntilItIsDeleted) {
  Add(1, "France", "Paris");
  Add(1, "Japan", "Tokyo");
  CLocation* paris = m_db.At(0);
  EXPECT_EQ(m_db.ClockColor(*paris), CLocationDB::kDefaultClockColor);
  m_db.AddToClock(paris);
  m_db.SetClockColor(*paris, 0x00FF00);
  m_db.RemoveFromClock(0);
  m_db.AddToClock(paris);
  EXPECT_EQ(m_db.ClockColor(*paris), 0x00FF00u);
  EXPECT_EQ(m_db.ClockColor(*m_db.At(1)), CLocationDB::kDefaultClockColor);
  // A new place that happens to get the deleted one's address starts white.
  m_db.RemoveAt(0, true);
  auto fresh = std::make_unique<CLocation>();
  const CLocation* maybeSame = fresh.get();
  m_db.Insert(std::move(fresh));
  if (maybeSame == paris) {
    EXPECT_EQ(m_db.ClockColor(*maybeSame), CLocationDB::kDefaultClockColor);
  }
}

// Places with equal rules share one rule object, yet an edit of one place's rule, or of a
// copy of a place, reaches no other place and is used by the edited place's own times.
TEST_F(LocationDBTest, SharedRulesChangeOnlyThePlaceEdited) {
  const DstRule northern{1, 1, 0, 2, 2, 0, 0, 10, 2};
  for (int i = 0; i < 24; ++i) {
    auto loc = Make(CLocation::kCity, "C" + std::to_string(i % 3), "P" + std::to_string(i));
    loc->SetOffset(i % 4 - 2);
    if (i % 2 == 0) {
      loc->SetDstRule(northern);
    }
    m_db.Insert(std::move(loc));
  }
  m_db.Insert(Make(CLocation::kCustom, "Friends", "Anna"));
  EXPECT_EQ(m_db.SharedRuleCount(), 5u);

  const auto rules = [this] {
    std::vector<std::tuple<int, int, DstRule>> all;
    for (std::size_t i = 0; i < m_db.Count(); ++i) {
      const CLocation& l = *m_db.At(i);
      all.emplace_back(l.GetOffsetHours(), l.GetOffsetMinutes(), l.GetDstRule());
    }
    return all;
  };
  const auto before = rules();
  const CDateTime winterNoon(2026, 1, 15, 12, 0, 0);
  for (std::size_t edited = 0; edited < m_db.Count(); ++edited) {
    SCOPED_TRACE(edited);
    CLocation& place = *m_db.At(edited);
    CLocation copy = place;
    copy.SetOffset(7);
    EXPECT_EQ(rules(), before);

    place.SetOffset(5);
    place.SetOffsetMinutes(30);
    place.SetDstRule(DstRule{});
    auto expected = before;
    expected[edited] = {5, 30, DstRule{}};
    EXPECT_EQ(rules(), expected);
    EXPECT_EQ(place.Zone().ToLocal(winterNoon), CDateTime(2026, 1, 15, 17, 30, 0));
    EXPECT_EQ(copy.GetOffsetHours(), 7);

    place.SetOffset(std::get<0>(before[edited]));
    place.SetOffsetMinutes(0);
    place.SetDstRule(std::get<2>(before[edited]));
  }
  EXPECT_EQ(rules(), before);
}

TEST_F(LocationDBTest, DestroyEmptiesBothLists) {
  Add(1, "A", "a");
  m_db.AddToClock(m_db.At(0));
  m_db.Destroy();
  EXPECT_EQ(m_db.Count(), 0u);
  EXPECT_EQ(m_db.ClockCount(), 0u);
}
