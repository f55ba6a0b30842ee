// Feeds arbitrary bytes to the parameter file reader, in whole-file mode and in page-only mode,
// on an image that holds the default set. The reader must not crash or read out of bounds, must
// leave the image untouched when it rejects a file, and must keep the memo terminated.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "files/parameter_file.h"
#include "image/default_set.h"

namespace {

using korvan::ParameterImage;

struct Defaults {
  korvan::BikeModelState bike;
  korvan::WordMapState word_maps;
  void Apply(ParameterImage& image) {
    korvan::ApplyDefaultSet(image, /*one_page=*/false, /*page_index=*/0, bike, word_maps);
  }
};

const ParameterImage& DefaultImage() {
  static const ParameterImage image = [] {
    ParameterImage fresh;
    fresh.SetByte(0, 11);
    Defaults defaults;
    defaults.Apply(fresh);
    return fresh;
  }();
  return image;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

void ReadOnce(std::string_view bytes, bool page_only, int page) {
  Defaults defaults;
  korvan::ParameterFileReadOptions options;
  options.page_only = page_only;
  options.page_on_display = page;
  options.apply_defaults = [&defaults](ParameterImage& image) { defaults.Apply(image); };

  ParameterImage image = DefaultImage();
  const korvan::ParameterFileReadResult result = korvan::ReadParameterFile(bytes, image, options);
  if (!result.ok()) {
    Check(image == DefaultImage());
    return;
  }
  Check(image.Byte(2849) == 0);
  if (page_only) Check(image.Byte(0) == DefaultImage().Byte(0));
  // Whatever was read must write out and read back without trouble.
  ParameterImage again = image;
  Check(korvan::ReadParameterFile(korvan::FormatParameterFile(image), again, options).ok());
  (void)korvan::DescribeReadResult(result);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ReadOnce(bytes, /*page_only=*/false, 0);
  ReadOnce(bytes, /*page_only=*/true, static_cast<int>(size % 19));
  return 0;
}
