#include "os/posix/LocaleIds.h"

#include <algorithm>
#include <iterator>

#include "os/SystemFacts.h"

namespace lintavo::os {

namespace {

struct KnownLocale {
  std::string_view name;  // language_TERRITORY, or a language alone for its main territory
  std::uint32_t id;
};

// Sorted by name, for the binary search below.
constexpr KnownLocale kKnownLocales[] = {
    {"ar", 0x0401},    {"ar_EG", 0x0C01}, {"ar_SA", 0x0401}, {"bg", 0x0402},    {"bg_BG", 0x0402},
    {"ca", 0x0403},    {"ca_ES", 0x0403}, {"cs", 0x0405},    {"cs_CZ", 0x0405}, {"da", 0x0406},
    {"da_DK", 0x0406}, {"de", 0x0407},    {"de_AT", 0x0C07}, {"de_CH", 0x0807}, {"de_DE", 0x0407},
    {"de_LU", 0x1007}, {"el", 0x0408},    {"el_GR", 0x0408}, {"en", 0x0409},    {"en_AU", 0x0C09},
    {"en_CA", 0x1009}, {"en_GB", 0x0809}, {"en_IE", 0x1809}, {"en_IN", 0x4009}, {"en_NZ", 0x1409},
    {"en_US", 0x0409}, {"en_ZA", 0x1C09}, {"es", 0x0C0A},    {"es_AR", 0x2C0A}, {"es_CO", 0x240A},
    {"es_ES", 0x0C0A}, {"es_MX", 0x080A}, {"et", 0x0425},    {"et_EE", 0x0425}, {"eu", 0x042D},
    {"eu_ES", 0x042D}, {"fi", 0x040B},    {"fi_FI", 0x040B}, {"fr", 0x040C},    {"fr_BE", 0x080C},
    {"fr_CA", 0x0C0C}, {"fr_CH", 0x100C}, {"fr_FR", 0x040C}, {"fr_LU", 0x140C}, {"gl", 0x0456},
    {"gl_ES", 0x0456}, {"he", 0x040D},    {"he_IL", 0x040D}, {"hi", 0x0439},    {"hi_IN", 0x0439},
    {"hr", 0x041A},    {"hr_HR", 0x041A}, {"hu", 0x040E},    {"hu_HU", 0x040E}, {"id", 0x0421},
    {"id_ID", 0x0421}, {"is", 0x040F},    {"is_IS", 0x040F}, {"it", 0x0410},    {"it_CH", 0x0810},
    {"it_IT", 0x0410}, {"ja", 0x0411},    {"ja_JP", 0x0411}, {"ko", 0x0412},    {"ko_KR", 0x0412},
    {"lt", 0x0427},    {"lt_LT", 0x0427}, {"lv", 0x0426},    {"lv_LV", 0x0426}, {"nb", 0x0414},
    {"nb_NO", 0x0414}, {"nl", 0x0413},    {"nl_BE", 0x0813}, {"nl_NL", 0x0413}, {"nn", 0x0814},
    {"nn_NO", 0x0814}, {"pl", 0x0415},    {"pl_PL", 0x0415}, {"pt", 0x0816},    {"pt_BR", 0x0416},
    {"pt_PT", 0x0816}, {"ro", 0x0418},    {"ro_RO", 0x0418}, {"ru", 0x0419},    {"ru_RU", 0x0419},
    {"sk", 0x041B},    {"sk_SK", 0x041B}, {"sl", 0x0424},    {"sl_SI", 0x0424}, {"sv", 0x041D},
    {"sv_FI", 0x081D}, {"sv_SE", 0x041D}, {"th", 0x041E},    {"th_TH", 0x041E}, {"tr", 0x041F},
    {"tr_TR", 0x041F}, {"uk", 0x0422},    {"uk_UA", 0x0422}, {"vi", 0x042A},    {"vi_VN", 0x042A},
    {"zh", 0x0804},    {"zh_CN", 0x0804}, {"zh_HK", 0x0C04}, {"zh_SG", 0x1004}, {"zh_TW", 0x0404},
};

std::uint32_t Lookup(std::string_view name) {
  const auto found = std::lower_bound(
      std::begin(kKnownLocales), std::end(kKnownLocales), name,
      [](const KnownLocale& known, std::string_view key) { return known.name < key; });
  return found != std::end(kKnownLocales) && found->name == name ? found->id : kUnknownLocaleId;
}

}  // namespace

std::uint32_t LocaleIdOfLocaleName(std::string_view localeName) {
  // The encoding (".UTF-8") and the modifier ("@euro") say nothing about the language.
  const std::string_view name = localeName.substr(0, localeName.find_first_of(".@"));
  const std::uint32_t exact = Lookup(name);
  if (exact != kUnknownLocaleId) {
    return exact;
  }
  // A territory the table does not know still tells nothing wrong about the language.
  return name.size() > 3 && name[2] == '_' ? Lookup(name.substr(0, 2)) : kUnknownLocaleId;
}

}  // namespace lintavo::os
