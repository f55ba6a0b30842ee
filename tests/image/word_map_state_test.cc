#include "image/word_map_state.h"

#include <gtest/gtest.h>

namespace korvan {
namespace {

TEST(WordMapStateTest, WordsAndPercentagesOfOneMapOnly) {
  ParameterImage image;
  WordMapState state;
  for (CellArray& base : state.base_time) base.fill(1000);
  state.Percent(WordMap::kInj3A).fill(100);
  state.Percent(WordMap::kInj3A)[0] = 1000;
  state.BaseTime(WordMap::kInj3A)[0] = 10000;
  state.Percent(WordMap::kInj3A)[149] = 33;
  StoreWordsFromPercent(image, state, WordMap::kInj3A);
  EXPECT_EQ(image.Word(625), 65535);  // 100000 us does not fit a word
  EXPECT_EQ(image.Word(626), 1000);
  EXPECT_EQ(image.Word(774), 330);
  EXPECT_EQ(image.Word(475), 0);  // 2A untouched
  EXPECT_EQ(image.Word(775), 0);  // 4A untouched

  PercentFromWords(image, state, WordMap::kInj3A);
  EXPECT_EQ(state.Percent(WordMap::kInj3A)[0], 655);
  EXPECT_EQ(state.Percent(WordMap::kInj3A)[149], 33);
  image.SetWord(1000, 1234);  // IAP cell 0
  PercentFromWords(image, state, WordMap::kInjIap);
  EXPECT_EQ(state.Percent(WordMap::kInjIap)[0], 123);
}

}  // namespace
}  // namespace korvan
