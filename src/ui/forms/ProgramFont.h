#pragma once

// The program font lives beside the chart painting, which the command line tool shares.
#include "paint/ProgramFont.h"
