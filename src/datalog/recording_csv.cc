#include "datalog/recording_csv.h"

#include <cstdio>

#include "monitor/monitor_frame.h"

namespace korvan {

const char kRecordingCsvHeader[] =
    "time_s,rpm,tps_pct,iap_kpa,ap_kpa,lambda_mv,coolant_c,air_c,battery_v,gear,speed_kmh,"
    "advance1_deg,advance2_deg,advance3_deg,advance4_deg,inj_a_us,inj_b_us,duty_pct,"
    "throttle_share_pct,tp_error,iap_error,ap_error,coolant_error,air_error,"
    "injection_position_invalid,n2o_active,cooling_fan,limiter_ignition,limiter_injection,"
    "limiter_retard,base_advance,programmed_data_error,flags_a,flags_b,flags_c,flags_d,"
    "advance_deg\n";

namespace {

void AppendRow(const RecordedFrame& frame, const LiveValues& v, std::string& out) {
  char tps[16] = "";
  char iap[16] = "";
  char coolant[16] = "";
  char air[16] = "";
  if (!v.tp_error) {
    std::snprintf(tps, sizeof tps, "%u.%u", v.throttle_position / 10u, v.throttle_position % 10u);
  }
  if (!v.iap_error) std::snprintf(iap, sizeof iap, "%u", v.iap);
  if (!v.coolant_sensor_error) {
    std::snprintf(coolant, sizeof coolant, "%d",
                  static_cast<int>(v.coolant_code) - kTemperatureCodeOffset);
  }
  if (!v.air_sensor_error) {
    std::snprintf(air, sizeof air, "%d", static_cast<int>(v.air_code) - kTemperatureCodeOffset);
  }
  char ap[16] = "";
  if (!v.ap_error) {
    std::snprintf(ap, sizeof ap, "%u.%u", v.atmospheric_pressure / 10u,
                  v.atmospheric_pressure % 10u);
  }
  char row[512];
  std::snprintf(row, sizeof row,
                "%u.%03u,%u,%s,%s,%s,%u,%s,%s,%u.%03u,%u,%u,%u,%u,%u,%u,%d,%d,%d,%u,"
                "%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%u,%u,%u,%u,%d\n",
                frame.time_ms / 1000u, frame.time_ms % 1000u, v.engine_speed, tps, iap, ap,
                v.lambda_mv, coolant, air, v.supply_mv / 1000u, v.supply_mv % 1000u, v.gear,
                v.road_speed, v.advance[0], v.advance[1], v.advance[2], v.advance[3],
                v.bank_a_mean_us, v.bank_b_mean_us, v.injection_duty, v.throttle_share, v.tp_error,
                v.iap_error, v.ap_error, v.coolant_sensor_error, v.air_sensor_error,
                v.injection_position_invalid, v.n2o_active, v.cooling_fan_on, v.limiter_by_ignition,
                v.limiter_by_injection, v.limiter_by_retard, v.base_advance,
                v.programmed_data_error, v.flags_a, v.flags_b, v.flags_c, v.flags_d,
                v.mean_advance);
  out += row;
}

}  // namespace

std::string RecordingToCsv(const Recording& recording, const MonitorInputs& fallback) {
  std::string out = kRecordingCsvHeader;
  out.reserve(out.size() + recording.frames.size() * 160);
  const MonitorInputs inputs = DecoderInputsOf(recording.header, fallback);
  LiveValues live;
  for (const RecordedFrame& frame : recording.frames) {
    DecodeMonitorFrame(frame.bytes, inputs, live);
    AppendRow(frame, live, out);
  }
  return out;
}

}  // namespace korvan
