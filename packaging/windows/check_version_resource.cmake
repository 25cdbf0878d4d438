# Checks the version resource of a Windows program: its fixed part (VS_FIXEDFILEINFO) gives the
# four-part number MAJOR.MINOR.BUILD.REVISION as the file's and the product's version, and its
# strings name the product PRODUCT with the version people see, PRODUCT_VERSION. Takes PROGRAM,
# MAJOR, MINOR, BUILD, REVISION, PRODUCT and PRODUCT_VERSION.

# The little-endian hexadecimal digits of a 16-bit number.
function(word_hex number out)
  set(digits "")
  foreach(byte "${number} & 255" "${number} >> 8")
    math(EXPR value "${byte}" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${value}" 2 -1 value)
    string(LENGTH "${value}" length)
    if(length EQUAL 1)
      set(value "0${value}")
    endif()
    string(APPEND digits "${value}")
  endforeach()
  set(${out} ${digits} PARENT_SCOPE)
endfunction()

# The hexadecimal digits of an ASCII text in UTF-16LE, the resource's strings.
function(utf16_hex text out)
  string(HEX "${text}" hex)
  string(REGEX REPLACE "(..)" "\\100" hex "${hex}")
  set(${out} ${hex} PARENT_SCOPE)
endfunction()

file(READ ${PROGRAM} content HEX)
# dwFileVersionMS, dwFileVersionLS: the high word first in each, each DWORD little-endian.
foreach(part MAJOR MINOR BUILD REVISION)
  word_hex(${${part}} ${part}_hex)
endforeach()
set(number_hex "${MINOR_hex}${MAJOR_hex}${REVISION_hex}${BUILD_hex}")
# The signature 0xFEEF04BD and the structure's version 1.0, then file and product version.
set(fixed_hex "bd04effe00000100${number_hex}${number_hex}")
string(FIND "${content}" "${fixed_hex}" found)
if(found EQUAL -1)
  string(FIND "${content}" "bd04effe" signature)
  if(signature EQUAL -1)
    message(FATAL_ERROR "${PROGRAM} has no version resource")
  endif()
  string(SUBSTRING "${content}" ${signature} 48 seen)
  message(FATAL_ERROR "${PROGRAM}: the version resource's fixed part is ${seen}, not ${fixed_hex}")
endif()

# Each string is its name and a NUL, up to one padding character, then its value and a NUL.
foreach(entry "ProductName=${PRODUCT}" "ProductVersion=${PRODUCT_VERSION}"
        "FileVersion=${MAJOR}.${MINOR}.${BUILD}.${REVISION}")
  string(FIND "${entry}" "=" equals)
  string(SUBSTRING "${entry}" 0 ${equals} name)
  math(EXPR start "${equals} + 1")
  string(SUBSTRING "${entry}" ${start} -1 value)
  utf16_hex("${name}" name_hex)
  utf16_hex("${value}" value_hex)
  string(FIND "${content}" "${name_hex}0000${value_hex}0000" unpadded)
  string(FIND "${content}" "${name_hex}00000000${value_hex}0000" padded)
  if(unpadded EQUAL -1 AND padded EQUAL -1)
    message(FATAL_ERROR "${PROGRAM}: the version resource lacks ${name} \"${value}\"")
  endif()
endforeach()
message(STATUS "${PROGRAM}: version ${MAJOR}.${MINOR}.${BUILD}.${REVISION}, "
               "${PRODUCT} ${PRODUCT_VERSION}")
