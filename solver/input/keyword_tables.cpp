#include "keyword_tables.h"

namespace zelk {

static_assert(TopKeywords.count() == 5);
static_assert(ModelKeywords.count() == 22);
static_assert(EfgDataKeywords.count() == 6);
static_assert(MaterialKeywords.count() == 2);
static_assert(EvPointKeywords.count() == 4);
static_assert(kHelpListedMacros == 44);
static_assert(MacroKeywords.count() == kMacroBodyVelocity + 1);
static_assert(ReportKeywords.count() == 4);
static_assert(GridWallKeywords.count() == 5);

}  // namespace zelk
