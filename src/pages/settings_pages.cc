#include "pages/settings_pages.h"

#include "image/page_index.h"
#include "pages/page_texts.h"

namespace korvan {

bool SettingsPages::Has(int page) {
  return page == kPageBike || page == kPageCorrections || page == kPageSensors ||
         page == kPageRace || page == kPageIdle || page == kPageGear || page == kPageN2o ||
         page == kPagePosition || page == kPageTuning;
}

void SettingsPages::CreateControls(MessageTextOf text) {
  text_ = text;
  bike_.CreateControls();
  corrections_.CreateControls();
  sensors_.CreateControls();
  race_.CreateControls();
  idle_.CreateControls();
  gear_.CreateControls();
  n2o_.CreateControls();
  position_.CreateControls();
  tuning_.CreateControls();
}

void SettingsPages::ApplyTexts(int language) {
  language_ = language;
  ApplyPageTexts(controls_, language);
}

void SettingsPages::Gather(int page, ParameterImage& image, PageMessages& messages) {
  switch (page) {
    case kPageBike:
      bike_.Gather(image, messages);
      break;
    case kPageCorrections:
      corrections_.Gather(image);
      break;
    case kPageSensors:
      sensors_.Gather(image);
      break;
    case kPageRace:
      race_.Gather(image);
      break;
    case kPageIdle:
      idle_.Gather(image);
      break;
    case kPageGear:
      gear_.Gather(image);
      break;
    case kPageN2o:
      n2o_.Gather(image);
      break;
    case kPagePosition:
      position_.Gather(image);
      break;
    case kPageTuning:
      tuning_.Gather(image);
      break;
    default:
      break;
  }
}

void SettingsPages::Refresh(int page, const ParameterImage& image, const PageFacts& facts,
                            PageMessages& messages) {
  switch (page) {
    case kPageBike:
      bike_.Refresh(image, facts.identity, messages);
      break;
    case kPageCorrections:
      corrections_.Refresh(image);
      break;
    case kPageSensors:
      sensors_.Refresh(image);
      break;
    case kPageRace:
      race_.Refresh(image, facts.choke, facts.language);
      break;
    case kPageIdle:
      idle_.Refresh(image);
      break;
    case kPageGear:
      gear_.Refresh(image);
      break;
    case kPageN2o:
      n2o_.Refresh(image);
      break;
    case kPagePosition:
      position_.Refresh(image);
      break;
    case kPageTuning:
      tuning_.Refresh(image);
      break;
    default:
      break;
  }
}

void SettingsPages::Visibility(int page, ParameterImage& image) {
  switch (page) {
    case kPageBike:
      bike_.Visibility(image);
      break;
    case kPageSensors:
      sensors_.Visibility(image);
      break;
    case kPageRace:
      race_.Visibility(image);
      break;
    case kPageIdle:
      idle_.Visibility(image, text_, language_);
      break;
    case kPageGear:
      gear_.Visibility(image);
      break;
    case kPageN2o:
      n2o_.Visibility(image);
      break;
    default:  // the corrections page shows all it has
      break;
  }
}

const PageFields* SettingsPages::FieldsOf(int page) const {
  switch (page) {
    case kPageBike:
      return &bike_.fields();
    case kPageCorrections:
      return &corrections_.fields();
    case kPageSensors:
      return &sensors_.fields();
    case kPageRace:
      return &race_.fields();
    case kPageIdle:
      return &idle_.fields();
    case kPageGear:
      return &gear_.fields();
    case kPageN2o:
      return &n2o_.fields();
    case kPagePosition:
      return &position_.fields();
    case kPageTuning:
      return &tuning_.fields();
    default:
      return nullptr;
  }
}

bool SettingsPages::StoreShown(int page, ParameterImage& image) const {
  const PageFields* fields = FieldsOf(page);
  return fields != nullptr && fields->StoreShown(image);
}

void SettingsPages::PaintLiveCursor(int page, const LiveValues& live, const ParameterImage& image) {
  if (page == kPageCorrections) corrections_.PaintLiveCursor(live, image);
  if (page == kPageRace) race_.PaintLiveCursor(live);
  if (page == kPageIdle) idle_.PaintLiveCursor(live, image);
  if (page == kPageGear) gear_.PaintLiveCursor(live, image);
  if (page == kPagePosition) position_.PaintLiveCursor(live, image);
}

}  // namespace korvan
