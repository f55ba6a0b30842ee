#include "image/field_dictionary.h"

#include <algorithm>
#include <charconv>

#include "image/field_table.h"

namespace korvan {
namespace {

// The shown value of one stored count for the scaled conversions.
int ScaleOf(const Field& field, const ParameterImage& image) {
  if (field.conversion == Conversion::kIdleServo) return IdleServoStep(image).step;
  return field.scale > 0 ? field.scale : 1;
}

unsigned WidthMask(const Field& field) {
  return field.width == FieldWidth::kWord ? 0xFFFFu : 0xFFu;
}

}  // namespace

std::span<const Field> AllFields() { return kFieldTable; }

const Field* FindField(std::string_view name) {
  for (const Field& f : kFieldTable) {
    if (f.name == name) return &f;
  }
  return nullptr;
}

std::optional<FieldElement> FindControl(std::string_view control_name) {
  // Numbered controls exist only with their number ("UpDownSyticCas1", not "UpDownSyticCas").
  const Field* exact = FindField(control_name);
  if (exact != nullptr && exact->first_control_number < 0) return FieldElement{exact, 0};
  for (const Field& f : kFieldTable) {
    if (f.first_control_number < 0 || !control_name.starts_with(f.name)) continue;
    const std::string_view digits = control_name.substr(f.name.size());
    if (digits.empty() || digits.size() > 2) continue;
    int number = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (ec != std::errc() || end != digits.data() + digits.size()) continue;
    const int element = number - f.first_control_number;
    if (element >= 0 && element < f.count) return FieldElement{&f, element};
  }
  return std::nullopt;
}

std::optional<FieldElement> FieldAtImageByte(int k) {
  for (const Field& f : kFieldTable) {
    const int element_size = f.width == FieldWidth::kWord ? 2 : 1;
    if (k >= f.offset && k < f.offset + f.count * element_size) {
      return FieldElement{&f, (k - f.offset) / element_size};
    }
  }
  return std::nullopt;
}

namespace {

// An element outside the field (or a field outside the image) reads 0 and is never written.
bool ValidElement(const Field& field, int element) {
  const int size = field.width == FieldWidth::kWord ? 2 : 1;
  return element >= 0 && element < field.count && field.offset >= 0 &&
         ElementOffset(field, element) + size <= kImageSize;
}

}  // namespace

unsigned StoredValue(const Field& field, const ParameterImage& image, int element) {
  if (!ValidElement(field, element)) return 0;
  const int k = ElementOffset(field, element);
  return field.width == FieldWidth::kWord ? image.Word(k / 2) : image.Byte(k);
}

void SetStoredValue(const Field& field, ParameterImage& image, unsigned stored, int element) {
  if (!ValidElement(field, element)) return;
  const int k = ElementOffset(field, element);
  if (field.width == FieldWidth::kWord) {
    image.SetWord(k / 2, stored & 0xFFFFu);
  } else {
    image.SetByte(k, stored & 0xFFu);
  }
}

int ShownFromStored(const Field& field, unsigned stored, const ParameterImage& image) {
  const int s = static_cast<int>(stored & WidthMask(field));
  if (field.kind == FieldKind::kFlag) return s != 0 ? 1 : 0;
  switch (field.conversion) {
    case Conversion::kPlain:
      return s;
    case Conversion::kScaled:
    case Conversion::kIdleServo:
      return s * ScaleOf(field, image);
    case Conversion::kOffset:
      return s - field.bias;
    case Conversion::kTpsHigh:
      return s * 10 + 2500;
  }
  return s;
}

unsigned StoredFromShown(const Field& field, int shown, const ParameterImage& image) {
  // 64 bits so that no shown value, however wild, overflows on its way to the mask.
  std::int64_t s = shown;
  if (field.kind == FieldKind::kFlag) {
    s = shown != 0 ? 1 : 0;
  } else {
    switch (field.conversion) {
      case Conversion::kPlain:
        break;
      case Conversion::kScaled:
      case Conversion::kIdleServo:
        s /= ScaleOf(field, image);  // truncates toward zero
        break;
      case Conversion::kOffset:
        s += field.bias;
        break;
      case Conversion::kTpsHigh:
        // The unit's byte arithmetic: (v / 10 + 6) mod 256, equal to (v - 2500) / 10 over the
        // field's range 2500..5000 mV.
        s = s / 10 + 6;
        break;
    }
  }
  // A byte keeps its low eight bits, a word its low sixteen (two's complement for negatives).
  return static_cast<unsigned>(static_cast<std::uint64_t>(s) & WidthMask(field));
}

int ToShown(const Field& field, const ParameterImage& image, int element) {
  return ShownFromStored(field, StoredValue(field, image, element), image);
}

void FromShown(const Field& field, int shown, ParameterImage& image, int element) {
  SetStoredValue(field, image, StoredFromShown(field, shown, image), element);
}

ShownRange RangeOf(const Field& field, const ParameterImage& image) {
  if (field.conversion == Conversion::kIdleServo) {
    const IdleServoUnit unit = IdleServoStep(image);
    return {0, unit.maximum, unit.step};
  }
  return {field.min, field.max, field.step};
}

IdleServoUnit IdleServoStep(const ParameterImage& image) {
  switch (image.Byte(kIdleTypeOffset)) {
    case 1:  // intake servo start position: % when its map is in percent, else mV
      return image.Byte(kIntakeServoPercentOffset) != 0 ? IdleServoUnit{1, 100}
                                                        : IdleServoUnit{20, 5000};
    case 3:  // TPS minimum in servo steps
      return {5, 1200};
    default:  // desired engine speed (also for "none" and any unknown type)
      return {50, 12000};
  }
}

std::string ReadMemo(const ParameterImage& image) {
  std::string text;
  for (int k = kMemoOffset; k < kMemoOffset + kMemoMaxLength; ++k) {
    const std::uint8_t c = image.Byte(k);
    if (c == 0) break;
    text.push_back(static_cast<char>(c));
  }
  return text;
}

void WriteMemo(ParameterImage& image, std::string_view text) {
  const std::size_t end = std::min<std::size_t>(text.find('\0'), text.size());
  const int length = static_cast<int>(std::min<std::size_t>(end, kMemoMaxLength));
  for (int i = 0; i < length; ++i) {
    image.SetByte(kMemoOffset + i, static_cast<std::uint8_t>(text[static_cast<std::size_t>(i)]));
  }
  for (int k = kMemoOffset + length; k <= kMemoTerminator; ++k) image.SetByte(k, 0);
}

std::span<const ByteRun> BikeConstantBytes() { return kBikeConstantRuns; }
std::span<const ByteRun> BytesWithoutField() { return kBytesWithoutFieldRuns; }

}  // namespace korvan
