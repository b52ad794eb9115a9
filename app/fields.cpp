#include "app/fields.h"

#include "app/main_window.h"
#include "app/sizing.h"

namespace ampliwind {
namespace {

// The field's text is a fresh heap block: it goes on the temporary-string
// stack at once and comes off as soon as it has been converted.
double ReadField(int32_t id) {
  char* text = hv::GetControlText(&mainWindow, id);
  hv::PushTempString(text);
  double value = hv::TextToNumber(text);
  hv::PopTempStrings(1);
  return value;
}

void WriteField(int32_t id, double value) {
  char* text = hv::NumberToText(value);
  hv::PushTempString(text);
  hv::SetControlText(&mainWindow, id, text);
  hv::PopTempStrings(1);
}

void Complain(const char* message) { hv::ShowMessage(&mainWindow, message, ERROR_CAPTION, 0); }

struct VoltageField {
  int32_t id;
  int32_t* value;
  const char* missing;
};
const VoltageField voltageFields[] = {
    {FIELD_PRIMARY_VOLTAGE, &U1, NO_PRIMARY_VOLTAGE},
    {FIELD_SECONDARY_VOLTAGE, &U2, NO_SECONDARY_VOLTAGE},
};

}  // namespace

int32_t ReadInputs() {
  Pw = float(ReadField(FIELD_POWER));
  if (Pw == 0.0f) {  // either zero: an empty field, a lone minus sign, text
    Complain(NO_POWER);
    return 0;
  }
  for (const VoltageField& field : voltageFields) {
    *field.value = hv::RoundToInt32(ReadField(field.id));
    if (*field.value == 0) {
      Complain(field.missing);
      return 0;
    }
  }
  // A negative value is no missing value: it is refused without a message.
  if (Pw > 0.0f && U1 > 0 && U2 > 0) inputValid = 1;
  return 0;
}

int32_t ShowResults() {
  if (!inputValid) return 0;
  const double results[] = {double(N1), double(N2), double(I1), double(I2)};
  int32_t id = FIELD_PRIMARY_TURNS;
  for (double value : results) WriteField(id++, value);
  return 0;
}

}  // namespace ampliwind
