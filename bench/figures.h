#pragma once

#include <vector>

namespace bench {

// The middle value; the mean of the two middle ones for an even count.
double median(std::vector<double> values);

// The process's peak resident set size so far, in megabytes.
double peakResidentMegabytes();

// A figure of /proc/self/status, such as VmRSS or VmHWM, in megabytes; -1 when there is none.
double statusMegabytes(const char* name);

// Sets the peak resident size (VmHWM) back to the current one; false where Linux does not allow it.
bool resetPeakResident();

// The processor time the process has used so far, all its threads together, in seconds.
double processorSeconds();

} // namespace bench
