# The version of a deliverable travels inside its file as an ELF note
# (".note.kvd.version", owner "KVD", type 1; layout in docs/version-note.md).
# GetFileVersionText (platform/file_version.h) reads it back.
#
#   kvd_version_note(TARGET [VERSION a.b.c.d] [FLAGS DEBUG PRERELEASE PRIVATE SPECIAL] [NO_FLAGS])
#
# Without VERSION the project version is used (KVD_VERSION_MAJOR … BUILD when
# set, else PROJECT_VERSION_*); without FLAGS the cache options below decide,
# and NO_FLAGS clears them all. TARGET must be an executable or a shared or
# module library: in a static library the note would not reach the final file.

option(KVD_VERSION_FLAG_DEBUG "Mark the version notes of the deliverables as a debug build" OFF)
option(KVD_VERSION_FLAG_PRERELEASE "Mark the version notes of the deliverables as a pre-release (beta)" OFF)
option(KVD_VERSION_FLAG_PRIVATE "Mark the version notes of the deliverables as a private build" OFF)
option(KVD_VERSION_FLAG_SPECIAL "Mark the version notes of the deliverables as a special build" OFF)

function(kvd_version_note target)
  cmake_parse_arguments(V "NO_FLAGS" "VERSION" "FLAGS" ${ARGN})
  if(V_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "kvd_version_note(${target}): unknown arguments ${V_UNPARSED_ARGUMENTS}")
  endif()
  get_target_property(type ${target} TYPE)
  if(NOT type MATCHES "^(EXECUTABLE|SHARED_LIBRARY|MODULE_LIBRARY)$")
    message(FATAL_ERROR "kvd_version_note(${target}): needs an executable or a shared library, not ${type}")
  endif()

  if(DEFINED V_VERSION)
    set(version ${V_VERSION})
  elseif(DEFINED KVD_VERSION_MAJOR)
    set(version "${KVD_VERSION_MAJOR}.${KVD_VERSION_MINOR}.${KVD_VERSION_RELEASE}.${KVD_VERSION_BUILD}")
  else()
    set(version "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.${PROJECT_VERSION_TWEAK}")
  endif()
  # Missing parts count as 0 ("1.2" is 1.2.0.0).
  string(REPLACE "." ";" parts "${version}")
  set(numbers "")
  foreach(i RANGE 3)
    list(LENGTH parts n)
    set(part 0)
    if(i LESS n)
      list(GET parts ${i} part)
      if(part STREQUAL "")
        set(part 0)
      endif()
    endif()
    if(NOT part MATCHES "^[0-9]+$" OR part GREATER 4294967295)
      message(FATAL_ERROR "kvd_version_note(${target}): \"${version}\" is not a version of four numbers")
    endif()
    list(APPEND numbers ${part})
  endforeach()
  list(GET numbers 0 KVD_NOTE_MAJOR)
  list(GET numbers 1 KVD_NOTE_MINOR)
  list(GET numbers 2 KVD_NOTE_RELEASE)
  list(GET numbers 3 KVD_NOTE_BUILD)

  if(V_NO_FLAGS)
    set(flag_names "")
  elseif(DEFINED V_FLAGS OR "FLAGS" IN_LIST V_KEYWORDS_MISSING_VALUES)
    set(flag_names ${V_FLAGS})
  else()
    set(flag_names "")
    foreach(f DEBUG PRERELEASE PRIVATE SPECIAL)
      if(KVD_VERSION_FLAG_${f})
        list(APPEND flag_names ${f})
      endif()
    endforeach()
  endif()
  set(KVD_NOTE_FLAGS 0)
  foreach(f ${flag_names})
    if(f STREQUAL "DEBUG")
      math(EXPR KVD_NOTE_FLAGS "${KVD_NOTE_FLAGS} | 1")
    elseif(f STREQUAL "PRERELEASE")
      math(EXPR KVD_NOTE_FLAGS "${KVD_NOTE_FLAGS} | 2")
    elseif(f STREQUAL "PRIVATE")
      math(EXPR KVD_NOTE_FLAGS "${KVD_NOTE_FLAGS} | 4")
    elseif(f STREQUAL "SPECIAL")
      math(EXPR KVD_NOTE_FLAGS "${KVD_NOTE_FLAGS} | 8")
    else()
      message(FATAL_ERROR "kvd_version_note(${target}): unknown flag ${f}")
    endif()
  endforeach()

  set(KVD_NOTE_TARGET ${target})
  set(source ${CMAKE_CURRENT_BINARY_DIR}/kvd_version_note/${target}.c)
  file(CONFIGURE OUTPUT ${source} CONTENT [=[
/* Version note of @KVD_NOTE_TARGET@, made by kvd_version_note(): do not edit.
   Layout: docs/version-note.md. Written in assembler so that the section is
   SHT_NOTE with 4-byte alignment on every compiler. */
__asm__(
    ".pushsection .note.kvd.version,\"a\",%note\n"
    ".balign 4\n"
    ".4byte 4\n"  /* n_namesz: "KVD" and its NUL */
    ".4byte 20\n" /* n_descsz */
    ".4byte 1\n"  /* n_type: version */
    ".asciz \"KVD\"\n"
    ".balign 4\n"
    ".4byte @KVD_NOTE_MAJOR@, @KVD_NOTE_MINOR@, @KVD_NOTE_RELEASE@, @KVD_NOTE_BUILD@\n"
    ".4byte @KVD_NOTE_FLAGS@\n" /* 1 debug, 2 pre-release, 4 private, 8 special */
    ".popsection\n");
]=] @ONLY)
  target_sources(${target} PRIVATE ${source})
  set_source_files_properties(${source} PROPERTIES LANGUAGE C)
endfunction()
