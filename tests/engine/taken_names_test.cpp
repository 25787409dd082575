#include "engine/taken_names.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

namespace qomdex {
namespace {

// Drives the table through many adds and removes, enough to make it grow and tidy itself
// several times, and checks every count against a plain map. The keys mix folds that fit a
// byte a character with folds that do not, pairs that look alike in either form, and folds
// longer than a block of the table's memory.
TEST(TakenNamesTest, CountsMatchAPlainMultisetThroughGrowthAndRemoval) {
  const std::u16string alphabet[] = {u"A", u"\u00C9", u"\u0100", u"\u0141", u"\u4E00", u"\u0001"};
  std::mt19937 random(12345);
  const auto some_fold = [&] {
    // Now and then a fold too long for the table's blocks of memory, as a deep folder's can be.
    if (random() % 4000 == 0) return std::u16string(600000 + random() % 2, u'\u4E00');
    std::u16string fold;
    const std::size_t length = random() % 5;
    for (std::size_t i = 0; i < length; ++i) fold += alphabet[random() % std::size(alphabet)];
    return fold;
  };
  TakenNames taken;
  std::map<std::u16string, std::size_t> expected;
  std::size_t total = 0;
  for (int step = 0; step < 60000; ++step) {
    const std::u16string fold = some_fold();
    if (random() % 3 == 0) {
      taken.Remove(fold);
      if (expected[fold] > 0) --expected[fold], --total;
    } else {
      taken.Add(fold);
      ++expected[fold], ++total;
    }
    ASSERT_EQ(taken.Count(fold), expected[fold]) << "step " << step;
  }
  for (const auto& [fold, count] : expected) EXPECT_EQ(taken.Count(fold), count);
  EXPECT_EQ(taken.size(), total);
}

}  // namespace
}  // namespace qomdex
