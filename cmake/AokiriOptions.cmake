# Compiler and linker settings shared by every target of the system.

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Wno-unused-parameter)
  if(AOKIRI_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()

if(WIN32 AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # One self-contained file: no mingw runtime DLL travels with the program.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

# The product stays small: no exceptions or RTTI, unused sections dropped.
function(aokiri_product_options target)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE
      $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-rtti>
      -ffunction-sections -fdata-sections)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      target_link_options(${target} PRIVATE -Wl,--gc-sections)
    endif()
  elseif(MSVC)
    target_compile_options(${target} PRIVATE /GR- /Gy)
  endif()
endfunction()
