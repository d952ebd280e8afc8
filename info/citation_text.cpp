#include "citation_text.h"

#include <array>

#include "program_info.h"

namespace kelvorad {

namespace {
constexpr std::array<Reference, 11> kReferences{{
    {"Carmichael, I.S.E.", 1967,
     "The iron-titanium oxides of salic volcanic rocks and their associated ferromagnesian "
     "silicates",
     "Contributions to Mineralogy and Petrology 14, 36–64"},
    // The LaBlache Lake paper is the source of the Anderson recalculation; it appeared in the
    // Journal of Geology, as the manual's reference list has it.
    {"Anderson, A.T.", 1968,
     "Oxidation of the LaBlache Lake titaniferous magnetite deposit, Quebec",
     "Journal of Geology 76, 528–547"},
    {"Lindsley, D.H. and Spencer, K.J.", 1982,
     "Fe-Ti oxide geothermometry: reducing analyses of coexisting Ti-magnetite (Mt) and ilmenite "
     "(Ilm)",
     "Eos Transactions, American Geophysical Union 63, 471"},
    {"Stormer, J.C., Jr.", 1983,
     "The effects of recalculation on estimates of temperature and oxygen fugacity from analyses "
     "of multicomponent iron-titanium oxides",
     "American Mineralogist 68, 586–594"},
    {"Droop, G.T.R.", 1987,
     "A general equation for estimating Fe3+ concentrations in ferromagnesian silicates and "
     "oxides from microprobe analyses, using stoichiometric criteria",
     "Mineralogical Magazine 51, 431–435"},
    {"Powell, R. and Powell, M.", 1977,
     "Geothermometry and oxygen barometry using coexisting iron-titanium oxides: a reappraisal",
     "Mineralogical Magazine 41, 257–263"},
    {"Spencer, K.J. and Lindsley, D.H.", 1981,
     "A solution model for coexisting iron-titanium oxides", "American Mineralogist 66, 1189–1201"},
    {"Andersen, D.J. and Lindsley, D.H.", 1985,
     "New (and final!) models for the Ti-magnetite/ilmenite geothermometer and oxygen barometer",
     "Eos Transactions, American Geophysical Union 66, 416"},
    {"Bacon, C.R. and Hirschmann, M.M.", 1988,
     "Mg/Mn partitioning as a test for equilibrium between coexisting Fe-Ti oxides",
     "American Mineralogist 73, 57–61"},
    {"Sauerzapf, U., Lattard, D., Burchard, M. and Engelmann, R.", 2008,
     "The titanomagnetite–ilmenite equilibrium: new experimental data and thermo-oxybarometric "
     "application to the crystallization of basic to intermediate rocks",
     "Journal of Petrology 49, 1161–1185"},
    {"Ghiorso, M.S. and Evans, B.W.", 2008,
     "Thermodynamics of rhombohedral oxide solid solutions and a revision of the Fe-Ti two-oxide "
     "geothermometer and oxygen-barometer",
     "American Journal of Science 308, 957–1039"},
}};
}  // namespace

std::span<const Reference> methodReferences() {
    return kReferences;
}

std::string referenceText(const Reference& reference) {
    std::string text(reference.authors);
    text += " (" + std::to_string(reference.year) + ") ";
    text += reference.title;
    text += ". ";
    text += reference.source;
    text += ".";
    return text;
}

std::string programCitation() {
    std::string text(kProgramTitle);
    text += ", version ";
    text += programVersion();
    text += " (" + std::to_string(kReleaseYear) + "). ";
    text += "A desktop program for magnetite–ilmenite geothermometry and oxygen barometry.";
    return text;
}

std::string citationText() {
    std::string text = "Please cite the program:\n\n" + programCitation() +
                       "\n\nand the published methods you used:";
    for (const Reference& reference : kReferences) text += "\n\n" + referenceText(reference);
    return text;
}

}  // namespace kelvorad
