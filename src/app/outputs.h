#pragma once
// The files a run wrote (the output ledger a front end sums up) and the overwrite policy a
// command that writes one file of its own asks through.

#include "platform/output_manifest.h"
#include "platform/overwrite_policy.h"
