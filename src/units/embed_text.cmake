# Turns a UTF-8 text file into a C++ source that returns it as one std::string_view.
#
#   cmake -DINPUT=<text file> -DOUTPUT=<source> -DHEADER=<include> -DFUNCTION=<name>
#         -P embed_text.cmake
#
# The text is written as raw UTF-8 string literals, one per chunk of whole lines, each
# well below the literal sizes compilers accept; the chunks are joined once at run time.

foreach(required INPUT OUTPUT HEADER FUNCTION)
    if(NOT DEFINED ${required})
        message(FATAL_ERROR "embed_text.cmake: ${required} is not set")
    endif()
endforeach()

set(chunk_limit 12000)
set(delimiter "tally_text")

file(READ "${INPUT}" text)
string(FIND "${text}" ")${delimiter}\"" clash)
if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${INPUT} contains the literal delimiter )${delimiter}\"")
endif()

set(body "")
string(LENGTH "${text}" remaining)
while(remaining GREATER 0)
    if(remaining GREATER chunk_limit)
        string(SUBSTRING "${text}" 0 ${chunk_limit} head)
        string(FIND "${head}" "\n" last_line_end REVERSE)
        if(last_line_end EQUAL -1)
            message(FATAL_ERROR "${INPUT} has a line longer than ${chunk_limit} bytes")
        endif()
        math(EXPR length "${last_line_end} + 1")
    else()
        set(length ${remaining})
    endif()
    string(SUBSTRING "${text}" 0 ${length} chunk)
    string(SUBSTRING "${text}" ${length} -1 text)
    math(EXPR remaining "${remaining} - ${length}")
    string(APPEND body "    u8R\"${delimiter}(${chunk})${delimiter}\",\n")
endwhile()

file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT} by embed_text.cmake; do not edit.

#include \"${HEADER}\"

#include <string>

namespace tally {

namespace {

constexpr const char8_t* kChunks[] = {
${body}};

std::string joined() {
    std::string text;
    for (const char8_t* chunk : kChunks) {
        text += reinterpret_cast<const char*>(chunk);
    }
    return text;
}

}  // namespace

std::string_view ${FUNCTION}() {
    static const std::string text = joined();
    return text;
}

}  // namespace tally
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
