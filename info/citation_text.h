#pragma once
// What a user cites after working with the program: the program itself, then the published
// methods it implements: the recalculation and ferric-iron schemes first, then the
// geothermometers and oxygen barometers, the equilibrium test and the newer models, then the
// sources whose numbers those models and the graphs use.

#include <span>
#include <string>
#include <string_view>

namespace kelvorad {

struct Reference {
    std::string_view authors;  // "Spencer, K.J. and Lindsley, D.H."
    int year;
    std::string_view title;
    std::string_view source;  // journal, volume and pages: "American Mineralogist 66, 1189–1201"
    std::string_view doi = {};         // "10.1093/petrology/egn021"; empty where none is known
    std::string_view yearLetter = {};  // "a", "b" between two papers of one author and year
};

// The published methods, then the sources of the thermodynamic model's data and of the
// buffers and graphs.
std::span<const Reference> methodReferences();

// One reference as a line of text: "Authors (year) Title. Source. doi:..." (the DOI where it
// has one).
std::string referenceText(const Reference& reference);

// "Kelvorad, version 1.0.0 (2026). ..." with the program's own version.
std::string programCitation();

// The citation window's text: the program's citation, then every method reference, one per
// paragraph.
std::string citationText();

}  // namespace kelvorad
