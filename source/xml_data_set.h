// An XML boring written out as the data set a field application would export for it: the same
// files, in code page 932, and the reference tables that name the codes those files use. The one
// conversion run reads them as it reads any data set, so an XML boring and a data set give their
// record files by the same rules.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "source/xml_boring.h"

namespace tavrimen {

// Files by name, each as its bytes.
using NamedFiles = std::vector<std::pair<std::string, std::string>>;

struct XmlDataSet {
  NamedFiles data_set;  // CNT.TXT, Titl01.txt, X1.txt … in code page 932
  NamedFiles tables;    // KISHITU.TXT, L4.TXT, L2.TXT, L8.TXT, L10.TXT, L100.TXT
  // What the data set could not hold beyond what the boring's reader dropped: characters without
  // a code page 932 form, names beyond the room of a table.
  std::vector<std::string> dropped;
};

XmlDataSet MakeDataSet(const XmlBoring& boring);

}  // namespace tavrimen
