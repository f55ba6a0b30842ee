#pragma once

// The settings pages built so far, and the dispatch the station's page switches call: gather,
// refresh, visibility and live cursor of the active page. Each page is its own unit; this only
// chooses by page index.

#include "base/control_set.h"
#include "image/parameter_image.h"
#include "link/identity.h"
#include "monitor/live_values.h"
#include "pages/bike_page.h"
#include "pages/corrections_page.h"
#include "pages/gear_page.h"
#include "pages/idle_page.h"
#include "pages/n2o_page.h"
#include "pages/page_report.h"
#include "pages/position_page.h"
#include "pages/race_page.h"
#include "pages/sensors_page.h"
#include "pages/tuning_page.h"

namespace korvan {

// What the pages read besides the image and their controls.
struct PageFacts {
  const IdentityTexts& identity;
  bool choke;    // the bike's pilot-light output drives a choke
  int language;  // 0 English, 1 German, 2 French, 3 Czech
};

class SettingsPages {
 public:
  explicit SettingsPages(ControlSet& controls)
      : controls_(controls),
        bike_(controls),
        corrections_(controls),
        sensors_(controls),
        race_(controls),
        idle_(controls),
        gear_(controls),
        n2o_(controls),
        position_(controls),
        tuning_(controls) {}

  // Whether `page` is one of the pages built here.
  static bool Has(int page);

  // `text` gives the pages the station's messages they show as captions.
  void CreateControls(MessageTextOf text);
  void ApplyTexts(int language);

  void Gather(int page, ParameterImage& image, PageMessages& messages);
  void Refresh(int page, const ParameterImage& image, const PageFacts& facts,
               PageMessages& messages);
  void Visibility(int page, ParameterImage& image);
  // The fields of `page` (nullptr for a page not built here), and storing those on show as they
  // show (PageFields::StoreShown); returns whether anything was stored.
  const PageFields* FieldsOf(int page) const;
  bool StoreShown(int page, ParameterImage& image) const;
  void PaintLiveCursor(int page, const LiveValues& live, const ParameterImage& image);

  BikePage& bike() { return bike_; }
  SensorsPage& sensors() { return sensors_; }
  RacePage& race() { return race_; }
  IdlePage& idle() { return idle_; }
  GearPage& gear() { return gear_; }
  PositionPage& position() { return position_; }

 private:
  ControlSet& controls_;
  BikePage bike_;
  CorrectionsPage corrections_;
  SensorsPage sensors_;
  RacePage race_;
  IdlePage idle_;
  GearPage gear_;
  N2oPage n2o_;
  PositionPage position_;
  TuningPage tuning_;
  MessageTextOf text_ = nullptr;
  int language_ = 0;
};

}  // namespace korvan
