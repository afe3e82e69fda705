# GCC's "undefined" leaves out float-to-integer conversions; the chart's clamping of huge and
# non-finite positions is checked only with float-cast-overflow added.
if(KURVON_SANITIZE STREQUAL "asan")
  add_compile_options(-fsanitize=address,undefined,float-cast-overflow -fno-omit-frame-pointer
    -fno-sanitize-recover=undefined,float-cast-overflow)
  add_link_options(-fsanitize=address,undefined,float-cast-overflow)
elseif(KURVON_SANITIZE STREQUAL "tsan")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT KURVON_SANITIZE STREQUAL "")
  message(FATAL_ERROR "KURVON_SANITIZE must be empty, asan or tsan")
endif()
