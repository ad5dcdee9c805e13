// Marks the functions a deliverable exports; everything else stays hidden.
#pragma once

#define KVD_EXPORT extern "C" __attribute__((visibility("default")))
