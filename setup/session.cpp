// The one SetupSession, all zero at process start.
#include "session.h"

SetupSessionRecord Session;
