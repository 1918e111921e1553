#pragma once

// libmdb's header wraps glib's in extern "C", which C++ templates in glib's headers do not survive;
// glib first, then libmdb.
#include <glib.h>

#include <mdbtools.h>
