// <sal.h> for this toolchain: the source annotations, all of which mean
// nothing to the compiler. Wine's header names most of them; the few more
// that the C++ library uses are added here.
#pragma once
#include_next <sal.h>

#ifndef _Pre_satisfies_
#define _Pre_satisfies_(condition)
#endif
#ifndef _Post_satisfies_
#define _Post_satisfies_(condition)
#endif
#ifndef _Analysis_assume_
#define _Analysis_assume_(expression)
#endif
#ifndef _Check_return_opt_
#define _Check_return_opt_
#endif
#ifndef _Field_z_
#define _Field_z_
#endif
#ifndef _Guarded_by_
#define _Guarded_by_(lock)
#endif
#ifndef _Ret_notnull_
#define _Ret_notnull_
#endif
#ifndef _Post_writable_byte_size_
#define _Post_writable_byte_size_(size)
#endif
#ifndef _Ret_maybenull_
#define _Ret_maybenull_
#endif
#ifndef _Success_
#define _Success_(expression)
#endif
#ifndef _Writable_bytes_
#define _Writable_bytes_(size)
#endif
#ifndef _Ret_range_
#define _Ret_range_(low, high)
#endif
#ifndef _Notnull_
#define _Notnull_
#endif
