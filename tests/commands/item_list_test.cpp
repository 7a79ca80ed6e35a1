// The list boxes' item store against a vector of strings: random edits, some items large enough
// that the store moves into mapped huge-page rooms and back out through copies and moves.

#include "commands/item_list.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace dlg::test {
namespace {

TEST(ItemList, FollowsAVectorOfStringsThroughRandomEdits) {
  std::mt19937 random(7);
  ItemList list;
  std::vector<std::string> model;
  std::uint64_t lastStamp = list.Stamp();
  std::vector<std::string> lastItems;
  for (int step = 0; step < 3000; ++step) {
    // Mostly short items, now and then one of 300 KB: a few of those cross the mapping threshold.
    const std::size_t length = random() % 50 == 0 ? 300'000 : random() % 12;
    const std::string item(length, static_cast<char>('a' + step % 26));
    switch (random() % 8) {
      case 3:
        if (!model.empty()) {
          list.AppendToBack(item);
          model.back() += item;
        }
        break;
      case 4: {
        const std::size_t at = random() % (model.size() + 1);
        list.insert(at, item);
        model.insert(model.begin() + static_cast<std::ptrdiff_t>(at), item);
        break;
      }
      case 5: {
        ItemList copy = list;
        ASSERT_TRUE(copy == list);
        list = std::move(copy);
        EXPECT_TRUE(copy.empty());
        break;
      }
      case 6:
        list.push_back(list.empty() ? std::string_view() : list[0]);  // an item of its own
        model.push_back(model.empty() ? std::string() : model[0]);
        break;
      case 7:
        if (random() % 20 == 0) {
          list.clear();
          model.clear();
        }
        break;
      default:
        list.push_back(item);
        model.push_back(item);
    }
    ASSERT_EQ(std::vector<std::string>(list.begin(), list.end()), model) << "after step " << step;
    // A changed list never shows the stamp of the list as it was.
    const std::uint64_t stamp = list.Stamp();
    if (stamp == lastStamp) {
      ASSERT_EQ(model, lastItems) << "after step " << step;
    }
    lastStamp = stamp;
    lastItems = model;
  }
}

}  // namespace
}  // namespace dlg::test
