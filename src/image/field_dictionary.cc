#include "image/field_dictionary.h"

namespace korvan {

std::span<const Field> AllFields() { return {}; }
const Field* FindField(std::string_view) { return nullptr; }
std::optional<FieldElement> FindControl(std::string_view) { return std::nullopt; }
std::optional<FieldElement> FieldAtImageByte(int) { return std::nullopt; }
unsigned StoredValue(const Field&, const ParameterImage&, int) { return 0; }
void SetStoredValue(const Field&, ParameterImage&, unsigned, int) {}
int ToShown(const Field&, const ParameterImage&, int) { return 0; }
void FromShown(const Field&, int, ParameterImage&, int) {}
int ShownFromStored(const Field&, unsigned, const ParameterImage&) { return 0; }
unsigned StoredFromShown(const Field&, int, const ParameterImage&) { return 0; }
ShownRange RangeOf(const Field& f, const ParameterImage&) { return {f.min, f.max, f.step}; }
IdleServoUnit IdleServoStep(const ParameterImage&) { return {50, 12000}; }
std::string ReadMemo(const ParameterImage&) { return {}; }
void WriteMemo(ParameterImage&, std::string_view) {}
std::span<const ByteRun> BikeConstantBytes() { return {}; }
std::span<const ByteRun> BytesWithoutField() { return {}; }

}  // namespace korvan
