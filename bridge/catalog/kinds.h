// Row kinds that are the general wrapper row (TL_WRAP) with some columns fixed. Shared by the
// product (rows.h) and the tests, which give TL_WRAP, TL_WRAP_CXX, TL_FLAVOURED and TL_ZERO
// their own meanings.
#pragma once

// Plain: the arguments pass unchanged, the host's result is returned unchanged; 0 or null when
// the entry is missing.
#define TL_PLAIN(wrapper, builds, entry, result, params)                                           \
  TL_WRAP(wrapper, builds, entry, result, params, result, params, TL_ZERO)

// Plain, exported only as a C++ overload of that name.
#define TL_PLAIN_CXX(wrapper, builds, entry, result, params)                                       \
  TL_WRAP_CXX(wrapper, builds, entry, result, params, result, params, TL_ZERO)

// Plain, with `missing` instead of 0 when the entry is missing.
#define TL_DEFAULT(wrapper, builds, entry, result, params, missing)                                \
  TL_WRAP(wrapper, builds, entry, result, params, result, params, missing)

// The host entry takes and answers other types than the wrapper: each argument and the answer
// are converted (see tl::Convert).
#define TL_CONVERT(wrapper, builds, entry, result, params, hostResult, hostParams)                 \
  TL_WRAP(wrapper, builds, entry, result, params, hostResult, hostParams, TL_ZERO)

// Boolean result: the host answers a 32-bit truth value; exactly 0 or 1 in the Apple flavour,
// passed on unchanged in the Linux flavour; false when missing.
#define TL_BOOL(wrapper, builds, entry, params)                                                    \
  TL_WRAP(wrapper, builds, entry, TL_FLAVOURED(bool, int32_t), params, int32_t, params, TL_ZERO)

// Boolean result tested over the host's whole pointer-size answer in the Apple flavour, reduced
// to its low byte (signed) in the Linux flavour.
#define TL_BOOL_WORD(wrapper, builds, entry, params)                                               \
  TL_WRAP(wrapper, builds, entry, TL_FLAVOURED(bool, signed char), params, XojoInteger, params,    \
          TL_ZERO)

// Low byte: only the low 8 bits of the host's answer, zero-extended.
#define TL_LOW_BYTE(wrapper, builds, entry, params)                                                \
  TL_WRAP(wrapper, builds, entry, unsigned char, params, int32_t, params, TL_ZERO)

// The result of an overloaded form of a Boolean wrapper: the named wrapper's in the Apple
// flavour, its low byte in the Linux flavour.
#define TL_TRUTH_BYTE TL_FLAVOURED(bool, unsigned char)
