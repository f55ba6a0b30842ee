#pragma once

// The default parameter set: a complete, working set for the motorcycle in image byte 0, for the
// whole image ("New") or only for the page on display ("New for actual page").

#include "image/parameter_image.h"
#include "image/word_map_state.h"
#include "model/base_tables.h"
#include "model/bike_data.h"

namespace korvan {

// The bike model state the station keeps beside the image: the table entries chosen last and the
// choke flag (pilot-light captions). The injection base tables are not kept: they are chosen from
// image byte 0 at each computation.
struct BikeModelState {
  BikeTables tables;
  bool choke = false;
};

// Fills the image with the default set of the bike code in byte 0. With `one_page` clear every
// page is set; with it set only the fields of page `page_index` (a PageIndex) are, besides the
// steps that always run: the base tables, the bike constants, the table selection with the servo
// mode bytes 64 and 65, and byte 1. Afterwards the base-time arrays of all five word maps follow
// the current axes, and every word map the run covered is set from its percentages (all 100).
// The caller runs the consistency rules and the rest of the edit cycle.
void ApplyDefaultSet(ParameterImage& image, bool one_page, int page_index, BikeModelState& bike,
                     WordMapState& word_maps);

// The default set of `bike_code` after the consistency rules, built over `before`: from the
// station's start set it is what "New" gives; from an empty image, what a fresh unit holds (a
// few bike constants keep what `before` held).
ParameterImage DefaultParameterSet(int bike_code, const ParameterImage& before = ParameterImage{});

// Temperature sensor characteristic [mV] at -10, 5, ..., 110 degC built from five raw readings
// (1023ths of 5 V) at the even points; each odd point is the truncated mean of its neighbours.
std::array<std::uint16_t, 9> TemperatureCharacteristic(const std::array<std::uint16_t, 5>& raw);

}  // namespace korvan
