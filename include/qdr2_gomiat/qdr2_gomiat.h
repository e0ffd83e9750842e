// Umbrella header: the host's whole view of the component.
#pragma once

#include "qdr2_gomiat/array.h"
#include "qdr2_gomiat/classes.h"
#include "qdr2_gomiat/failure.h"
#include "qdr2_gomiat/host_objects.h"
#include "qdr2_gomiat/object.h"
#include "qdr2_gomiat/types.h"
#include "qdr2_gomiat/version.h"
