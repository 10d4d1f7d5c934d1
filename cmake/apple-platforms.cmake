# The Apple platforms of the deliverables and the oldest system each supports.
set(TESSALINE_MINIMUM_ios 14.0)
set(TESSALINE_MINIMUM_macos 11.0)
