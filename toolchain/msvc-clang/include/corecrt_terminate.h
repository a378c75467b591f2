// <corecrt_terminate.h>: terminate and its handlers, which <eh.h> declares.
#pragma once
#include <eh.h>
