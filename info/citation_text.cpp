#include "citation_text.h"

#include <array>

#include "program_info.h"

namespace kelvorad {

namespace {
constexpr std::array<Reference, 20> kReferences{{
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
     "Mineralogical Magazine 51, 431–435", "10.1180/minmag.1987.051.361.10"},
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
     "Journal of Petrology 49, 1161–1185", "10.1093/petrology/egn021"},
    {"Ghiorso, M.S. and Evans, B.W.", 2008,
     "Thermodynamics of rhombohedral oxide solid solutions and a revision of the Fe-Ti two-oxide "
     "geothermometer and oxygen-barometer",
     "American Journal of Science 308, 957–1039", "10.2475/09.2008.01"},
    // The data and solution models inside the full Ghiorso and Evans (2008) model.
    {"Berman, R.G.", 1988,
     "Internally-consistent thermodynamic data for minerals in the system "
     "Na2O-K2O-CaO-MgO-FeO-Fe2O3-Al2O3-SiO2-TiO2-H2O-CO2",
     "Journal of Petrology 29, 445–522", "10.1093/petrology/29.2.445"},
    {"Sack, R.O. and Ghiorso, M.S.", 1991,
     "An internally consistent model for the thermodynamic properties of "
     "Fe-Mg-titanomagnetite-aluminate spinels",
     "Contributions to Mineralogy and Petrology 106, 474–505", "", "a"},
    {"Sack, R.O. and Ghiorso, M.S.", 1991,
     "Chromian spinels as petrogenetic indicators: thermodynamics and petrological applications",
     "American Mineralogist 76, 827–847", "", "b"},
    {"Ghiorso, M.S. and Sack, R.O.", 1991,
     "Fe-Ti oxide geothermometry: thermodynamic formulation and the estimation of intensive "
     "variables in silicic magmas",
     "Contributions to Mineralogy and Petrology 108, 485–510"},
    {"Ghiorso, M.S. and Gualda, G.A.R.", 2012,
     "A method for estimating the activity of titania in magmatic liquids from the compositions "
     "of coexisting rhombohedral and cubic iron-titanium oxides",
     "Contributions to Mineralogy and Petrology 165, 73–81"},
    // The buffers: NNO of the full model, FMQ of every DeltaFMQ.
    {"O'Neill, H.St.C. and Pownceby, M.I.", 1993,
     "Thermodynamic data from redox reactions at high temperatures. I. An experimental and "
     "theoretical assessment of the electrochemical method using stabilized zirconia "
     "electrolytes, with revised values for the Fe-\"FeO\", Co-CoO, Ni-NiO and Cu-Cu2O oxygen "
     "buffers, and new data for the W-WO2 buffer",
     "Contributions to Mineralogy and Petrology 114, 296–314", "10.1007/BF01046533"},
    {"Frost, B.R.", 1991, "Introduction to oxygen fugacity and its petrologic importance",
     "Reviews in Mineralogy 25, 1–9"},
    // The graphs: the Buddington and Lindsley buffer curves and the Lattard et al. Roozeboom
    // diagram.
    {"Buddington, A.F. and Lindsley, D.H.", 1964,
     "Iron-titanium oxide minerals and synthetic equivalents", "Journal of Petrology 5, 310–357",
     "10.1093/petrology/5.2.310"},
    {"Lattard, D., Sauerzapf, U. and Käsemann, M.", 2005,
     "New calibration data for the Fe-Ti oxide thermo-oxybarometers from experiments in the "
     "Fe-Ti-O system at 1 bar, 1,000-1,300 °C and a large range of oxygen fugacities",
     "Contributions to Mineralogy and Petrology 149, 735–754"},
}};
}  // namespace

std::span<const Reference> methodReferences() {
    return kReferences;
}

std::string referenceText(const Reference& reference) {
    std::string text(reference.authors);
    text += " (";
    text += std::to_string(reference.year);
    text += reference.yearLetter;
    text += ") ";
    text += reference.title;
    text += ". ";
    text += reference.source;
    text += ".";
    if (!reference.doi.empty()) {
        text += " doi:";
        text += reference.doi;
    }
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
