#include "texts/page_captions.h"

#include <array>
#include <string_view>

namespace korvan {
namespace {

constexpr std::array<LanguageTexts, 19> kCaptions = {{
    {"Bike", "Mottorad", "", "Motocykl"},
    {"Advance", "Vorzündung", "Avance", "Předstih"},
    {"Inj.", "Einsp.", "Inj.", "Vstřik"},  // pages 2..7 add their suffix
    {"Inj.", "Einsp.", "Inj.", "Vstřik"},
    {"Inj.", "Einsp.", "Inj.", "Vstřik"},
    {"Inj.", "Einsp.", "Inj.", "Vstřik"},
    {"Inj.", "Einsp.", "Inj.", "Vstřik"},
    {"Inj.", "Einsp.", "Inj.", "Vstřik"},
    {"Position", "Lage", "Positon", "Poloha"},
    {"Corrections", "Korrektionen", "", "Korekce"},
    {"Sensors", "Senzoren", "", "Čidla"},
    {"Intake servo", "Ansaugservo", "", "Sací servo "},
    {"Exhaust servo ", "Abblaseservo", "", "Výfukové servo "},
    {"Idle", "Freilauf", "", "Volnoběh"},
    {"N2O", "N2O", "N2O", "N2O"},
    {"Race", "", "", ""},
    {"Gear", "Gang", "", "Řazení"},
    {"Tuning", "Einstellung", "", "Ladění"},
    {"Monitor", "", "", ""},
}};

constexpr std::array<std::string_view, 6> kInjectionSuffix = {" 1", " 2", " 3", " 4", " B", " IAP"};

}  // namespace

std::string PageCaption(int page, Language language) {
  if (page < 0 || page >= static_cast<int>(kCaptions.size())) return {};
  std::string caption(TextIn(kCaptions[static_cast<std::size_t>(page)], language));
  if (page >= 2 && page <= 7) caption += kInjectionSuffix[static_cast<std::size_t>(page - 2)];
  return caption;
}

}  // namespace korvan
