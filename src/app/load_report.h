#pragma once
#include "catalog/sky_catalog.h"

#include <string>

namespace stellaro {

class Document;
class Stars;

// Tells the user on stderr about a data file that did not load soundly, once, as
// "stellaro COMMAND: FILE: what was wrong". Each returns true when it told of a problem.
bool report_load_problem(const std::string& command, const std::string& file, const std::string& problem);
bool report_cities(const std::string& command, const Document& document);
bool report_catalog(const std::string& command, const SkyCatalogLoad& load);
// The catalogue, the constellations and the body pictures of the sky.
bool report_sky(const std::string& command, const Stars& sky);

} // namespace stellaro
