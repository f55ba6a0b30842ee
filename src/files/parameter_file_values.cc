#include "files/parameter_file_values.h"

#include "image/field_dictionary.h"

namespace korvan {
namespace {

using file_layout::Item;
using file_layout::ValueConversion;

// Servo maps hold percent when their flag is set, else units of 20 mV.
int ServoMapScale(const ParameterImage& image, int flag_offset) {
  return image.Byte(flag_offset) != 0 ? 1 : 20;
}

int Divisor(const ParameterImage& image, const Item& item) {
  switch (item.conversion) {
    case ValueConversion::kScaled:
      return item.scale;
    case ValueConversion::kServoIntake:
      return ServoMapScale(image, kIntakeServoPercentOffset);
    case ValueConversion::kServoExhaust:
      return ServoMapScale(image, kExhaustServoPercentOffset);
    case ValueConversion::kIdleStep:
      return IdleServoStep(image).step;
    default:
      return 1;
  }
}

}  // namespace

std::int64_t WrittenValue(const ParameterImage& image, const Item& item, int index) {
  const std::int64_t stored =
      item.words ? image.Word(item.first + index) : image.Byte(item.first + index);
  switch (item.conversion) {
    case ValueConversion::kRaw:
      return stored;
    case ValueConversion::kMinus100:
      return stored - 100;
    case ValueConversion::kPlus100:
      return stored + 100;
    case ValueConversion::kTps100:
      return stored * 10 + 2500;
    default:
      return stored * Divisor(image, item);
  }
}

void StoreReadValue(ParameterImage& image, const Item& item, int index, std::uint32_t value) {
  const std::uint32_t v = value & 0xFFFFu;
  if (item.words) {
    image.SetWord(item.first + index, v);
    return;
  }
  std::uint32_t stored = v;
  switch (item.conversion) {
    case ValueConversion::kRaw:
      break;
    case ValueConversion::kMinus100:
      stored = v + 100;
      break;
    case ValueConversion::kPlus100:
      stored = v - 100;  // wraps; only the low eight bits are kept
      break;
    case ValueConversion::kTps100:
      // Signed so that division truncates toward zero below 2500 mV as well.
      stored = static_cast<std::uint32_t>((static_cast<std::int32_t>(v) - 2500) / 10);
      break;
    default:
      stored = v / static_cast<std::uint32_t>(Divisor(image, item));
      break;
  }
  image.SetByte(item.first + index, stored);
}

}  // namespace korvan
