#pragma once

// Every setting of the unit lives at a fixed place in the ParameterImage. This dictionary is the
// one place that knows those places: offset, width, how the stored value relates to the value a
// control shows, the control's range and the page that edits it. Pages and the map tools read
// it instead of repeating offsets.
// The table itself is kFieldTable in image/field_table.h.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "image/parameter_image.h"

namespace korvan {

enum class FieldWidth : std::uint8_t {
  kByte,  // one unsigned byte per element
  kWord,  // one unsigned 16-bit little-endian word per element, at an even offset
};

enum class FieldKind : std::uint8_t {
  kValue,  // a number edited in a field with up-down buttons
  kFlag,   // a check box: stored 0 or 1, any non-zero byte reads as set
  kIndex,  // a radio group: the stored byte is the item index
  kCode,   // the bike code, translated by the bike table of the bike page
  kText,   // the memo: characters up to the first zero byte
};

enum class Conversion : std::uint8_t {
  kPlain,      // stored = shown
  kScaled,     // stored = shown / scale (truncating), shown = stored x scale
  kOffset,     // stored = shown + bias, shown = stored - bias (bias +100 for signed quantities)
  kTpsHigh,    // byte 34: stored = (shown / 10 + 6) mod 256, shown = stored x 10 + 2500
  kIdleServo,  // scaled by IdleServoStep(image), which depends on bytes 2600 and 63
};

// One field, or a run of `count` equal fields at consecutive bytes or words (the columns of the
// grids, the per-gear and per-temperature values).
struct Field {
  std::string_view name;  // control name; for a grid column a name of that column
  int page;               // PageIndex of the page that gathers and scatters it
  int offset;             // image byte offset of element 0 (even for words)
  int count;              // number of elements
  FieldWidth width;
  FieldKind kind;
  Conversion conversion;
  int scale;  // kScaled: the divisor
  int bias;   // kOffset: added on the way to the image
  int min;    // shown range; kIdleServo takes min and max from IdleServoStep
  int max;
  int step;
  int first_control_number;  // -1; else the controls are name + number, number from this
};

// All fields, in page order. The same entries as kFieldTable.
std::span<const Field> AllFields();

// The field whose table name is exactly `name` (for instance "UpDownStartLimiter"), or nullptr.
const Field* FindField(std::string_view name);

// A control resolved to its field and element: a numbered control ("UpDownSyticCas3"; the bare
// table name of a numbered field is no control) or any other field by its table name (element 0).
struct FieldElement {
  const Field* field;
  int element;
};
std::optional<FieldElement> FindControl(std::string_view control_name);

// The field and element that own image byte k (either byte of a word), if any field owns it.
std::optional<FieldElement> FieldAtImageByte(int k);

// Image byte offset of one element.
constexpr int ElementOffset(const Field& field, int element) {
  return field.offset + element * (field.width == FieldWidth::kWord ? 2 : 1);
}

// Raw stored value of an element (byte or word).
unsigned StoredValue(const Field& field, const ParameterImage& image, int element = 0);
// Writes a raw value: a byte keeps the low eight bits, a word the low sixteen.
void SetStoredValue(const Field& field, ParameterImage& image, unsigned stored, int element = 0);

// Stored to shown. Flags read 1 when the byte is not zero.
int ToShown(const Field& field, const ParameterImage& image, int element = 0);
// Shown to stored, truncating divisions, written into the image. Flags store 0 or 1.
void FromShown(const Field& field, int shown, ParameterImage& image, int element = 0);
// The pure conversions behind ToShown/FromShown; `image` is consulted only by kIdleServo.
int ShownFromStored(const Field& field, unsigned stored, const ParameterImage& image);
unsigned StoredFromShown(const Field& field, int shown, const ParameterImage& image);

struct ShownRange {
  int min;
  int max;
  int step;
};
// The control's range; for the idle servo table it follows bytes 2600 and 63.
ShownRange RangeOf(const Field& field, const ParameterImage& image);

// Unit of the idle servo table (bytes 2609..2617), chosen from the idle type (byte 2600) and the
// intake servo percent flag (byte 63): start position in % or mV, speed in rpm, or servo steps.
struct IdleServoUnit {
  int step;     // shown value of one stored count
  int maximum;  // largest shown value
};
IdleServoUnit IdleServoStep(const ParameterImage& image);

// The memo (bytes 2700..2848, terminated at the first zero byte; byte 2849 is always 0).
inline constexpr int kMemoOffset = 2700;
inline constexpr int kMemoMaxLength = 149;
inline constexpr int kMemoTerminator = 2849;
std::string ReadMemo(const ParameterImage& image);
// Copies up to 149 characters (stopping at an embedded zero), zero-fills the rest up to and
// including byte 2849.
void WriteMemo(ParameterImage& image, std::string_view text);

// Image offsets that the dictionary names and several parts of the station use directly.
inline constexpr int kBikeCodeOffset = 0;
inline constexpr int kEngineConfigOffset = 2;
inline constexpr int kIgnitionLimiterOffset = 29;  // hundreds of rpm
inline constexpr int kBaseAdvanceOffset = 45;
inline constexpr int kWidthOfLobeOffset = 46;
inline constexpr int kIdleTypeOffset = 2600;
inline constexpr int kIdleServoTableOffset = 2609;
inline constexpr int kAdvanceByThrottleOffset = 40;  // "TPS" on the Advance page
inline constexpr int kJetCouplingModeOffset = 47;    // 0 separate, 1 coupled, 2 all equal
inline constexpr int kExhaustServoEnableOffset = 58;
inline constexpr int kIntakeServoEnableOffset = 59;
inline constexpr int kExhaustServoPercentOffset = 62;
inline constexpr int kIntakeServoPercentOffset = 63;
inline constexpr int kExhaustServoModeOffset = 64;
inline constexpr int kIntakeServoModeOffset = 65;
inline constexpr int kStepMotorOffset = 66;
inline constexpr int kCylinderCountOffset = 256;
// The injection position tables: 15 engine speeds (rpm / 100) and 15 angles (degrees / 5) each.
inline constexpr int kPositionASpeedOffset = 305;
inline constexpr int kPositionAAngleOffset = 320;
inline constexpr int kPositionBSpeedOffset = 335;
inline constexpr int kPositionBAngleOffset = 350;

// A run of image bytes [first, first + length).
struct ByteRun {
  int first;
  int length;
};

// Bytes written only from the bike code (ApplyBikeConstants); no page or file carries them.
std::span<const ByteRun> BikeConstantBytes();
// Bytes no field reads or writes; they travel with their block only.
std::span<const ByteRun> BytesWithoutField();

}  // namespace korvan
