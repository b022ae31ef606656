#pragma once

#include <vector>

namespace bench {

// The middle value; the mean of the two middle ones for an even count.
double median(std::vector<double> values);

// The process's peak resident set size so far, in megabytes.
double peakResidentMegabytes();

// The processor time the process has used so far, all its threads together, in seconds.
double processorSeconds();

} // namespace bench
