#include <gtest/gtest.h>

#include "files/parameter_file.h"
#include "model/bike_data.h"
#include "model/default_set.h"

namespace korvan {
namespace {

// With the real default set behind BIKE, a saved default set opens to exactly the same image:
// the fields the file carries come back, and all others are the same bike's defaults again. Codes
// 50..255 (units and files of other program versions) take the rules for unknown bikes, and
// nothing indexes past a table (the sanitizer build watches that).
TEST(ParameterFileDefaultSetTest, EveryBikeCodesDefaultSetSurvivesSaveAndOpen) {
  BikeModelState bike;
  WordMapState word_maps;
  ParameterFileReadOptions options;
  options.apply_defaults = [&](ParameterImage& image) {
    ApplyDefaultSet(image, /*one_page=*/false, /*page_index=*/0, bike, word_maps);
  };
  for (int code = 0; code <= 255; ++code) {
    ParameterImage defaults;
    defaults.SetByte(0, static_cast<unsigned>(code));
    ApplyDefaultSet(defaults, false, 0, bike, word_maps);

    // Both start from the same image: a few bike constants of the default set keep what the
    // image held before.
    ParameterImage read;
    const ParameterFileReadResult result =
        ReadParameterFile(FormatParameterFile(defaults), read, options);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.bike_code, code);
    for (int k = 0; k < kImageSize; ++k) {
      ASSERT_EQ(read.Byte(k), defaults.Byte(k)) << "bike " << code << ", image byte " << k;
    }
  }
}

}  // namespace
}  // namespace korvan
