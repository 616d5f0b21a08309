// Every keyword table of the solver, in one place.
//
// Each entry holds exactly one '$': the characters before it are the shortest
// accepted abbreviation, the characters after it only complete the word for a
// human reader and are never compared. The position of an entry is the value
// readKeyword() returns for it, so the order of every table is fixed; by
// convention entry 0 ends the block being read.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zelk {

// An ordered, constant list of keyword texts.
class KeywordTable {
public:
    template <std::size_t N>
    constexpr KeywordTable(const char* const (&entries)[N]) : entries_(entries), count_(static_cast<int>(N)) {}

    constexpr int count() const { return count_; }
    // The whole entry, '$' included.
    constexpr std::string_view entry(int index) const { return entries_[index]; }
    // The required abbreviation: the characters before the '$'.
    constexpr std::string_view prefix(int index) const {
        std::string_view text = entries_[index];
        return text.substr(0, text.find('$'));
    }
    // The entry as a word, without its '$' (for messages).
    std::string fullWord(int index) const {
        std::string text(entries_[index]);
        return text.erase(text.find('$'), 1);
    }

private:
    const char* const* entries_;
    int count_;
};

namespace keyword_entries {
// ORDER TopKeyword
inline constexpr const char* top[] = {"END$", "BATC$H", "INTE$RACTIVE", "STOP$", "ECHO$"};
// ORDER ModelKeyword
inline constexpr const char* model[] = {
    "END$",  "ZELK$",  "NDM$",   "NUMN$P", "NUME$VPOINT", "NUMM$AT",   "NDF$",
    "NDIS$P", "NLOA$D", "NODE$",  "EVPO$INT", "MATE$RIAL", "BOUN$D",  "LOAD$",
    "PLAN$E", "VOID$",  "NSLO$AD", "SIDEL$OAD", "EFGD$ATA", "NSDO$MA", "SIDED$OMA",
    "BODY$"};
inline constexpr const char* efgData[] = {"ENDEF$G", "NCEL$L", "CELL$", "NINTX$", "NINTY$", "NINTZ$"};
inline constexpr const char* material[] = {"ISOELASTIC$", "ISOELA_PLA_HYD$"};
inline constexpr const char* evPoint[] = {"ENDE$VPOINT", "COPY$", "POIN$T", "LINE$"};
// ORDER MacroKeyword
inline constexpr const char* macro[] = {
    "END$",       "CHEC$K",    "LEAS$T",  "DIRE$CT",   "TANG$ENT",  "GEIN$FLPTS", "SOLV$E",
    "OUTP$U",     "NORM$",     "EXAC$T",  "PENA$LTY",  "CURV$E",    "POIN$T",     "BASI$S",
    "WEIG$HT",    "SCAL$E",    "DEBU$G",  "DERI$VATIV", "HELP$",    "MLS$",       "MFLS$",
    "LSQ$",       "CBAS$IS",   "MAXI$NFLPT", "EFGM$",  "GCM$M",     "SINW$E",     "TIME$R",
    "PRIN$T",     "PAUS$E",    "RBFT$YPE", "RBF$",     "INFL$E",    "SINC$HE",    "BAND$",
    "SHOW$VAR",   "LIST$VAR",  "SUPP$ORTREGION", "REDUCED$OF", "DYNA$MICS", "STEPTIME$", "INITV$",
    "GRIDW$ALL",  "CALTIME$",
    // Added after the original 44 (HELP lists only those):
    "VTK$", "BODYC$ONTACT", "BODYV$ELOCITY"};
inline constexpr const char* report[] = {"END$", "SUPP$ORTSIZE", "INFL$PTS", "MEAN$INFLPTS"};
inline constexpr const char* gridWall[] = {"ENDGRID$", "PLANE$", "CYLI$NDER", "CONT$ACT", "HIST$ORY"};
}  // namespace keyword_entries

inline constexpr KeywordTable TopKeywords{keyword_entries::top};
inline constexpr KeywordTable ModelKeywords{keyword_entries::model};
inline constexpr KeywordTable EfgDataKeywords{keyword_entries::efgData};
inline constexpr KeywordTable MaterialKeywords{keyword_entries::material};
inline constexpr KeywordTable EvPointKeywords{keyword_entries::evPoint};
inline constexpr KeywordTable MacroKeywords{keyword_entries::macro};
inline constexpr KeywordTable ReportKeywords{keyword_entries::report};
inline constexpr KeywordTable GridWallKeywords{keyword_entries::gridWall};

// Indices of TopKeywords.
enum TopKeyword { kTopEnd = 0, kTopBatch, kTopInteractive, kTopStop, kTopEcho };

// Indices of MacroKeywords, in table order.
enum MacroKeyword {
    kMacroEnd = 0, kMacroCheck, kMacroLeast, kMacroDirect, kMacroTangent, kMacroGeInflPts, kMacroSolve,
    kMacroOutpu, kMacroNorm, kMacroExact, kMacroPenalty, kMacroCurve, kMacroPoint, kMacroBasis,
    kMacroWeight, kMacroScale, kMacroDebug, kMacroDerivativ, kMacroHelp, kMacroMls, kMacroMfls,
    kMacroLsq, kMacroCBasis, kMacroMaxInflPt, kMacroEfgm, kMacroGcmm, kMacroSinWe, kMacroTimer,
    kMacroPrint, kMacroPause, kMacroRbfType, kMacroRbf, kMacroInfle, kMacroSinChe, kMacroBand,
    kMacroShowVar, kMacroListVar, kMacroSupportRegion, kMacroReducedOf, kMacroDynamics, kMacroStepTime,
    kMacroInitV, kMacroGridWall, kMacroCalTime,
    kMacroVtk, kMacroBodyContact, kMacroBodyVelocity
};
// HELP lists the commands up to CALTIME; those after it are described in the manual.
inline constexpr int kHelpListedMacros = kMacroCalTime + 1;

}  // namespace zelk
