# Run by `cmake --install`: writes PatdatV5.ini naming the installed pattern-data folder into the
# system folder, unless a setting is already there.
#
# The settings file is found as the programs find it (reference/settings.cpp): "PatdatV5.ini" when
# that name exists, otherwise the first name in byte order that differs from it only in ASCII
# letter case. A setting of any spelling is kept, nothing is written beside it, and nothing is
# written through a symbolic link. postinst follows the same rules.
set(system_dir "$ENV{DESTDIR}${TAVRIMEN_SYSTEM_DIR}")
set(name "PatdatV5.ini")

set(setting "")
if(EXISTS "${system_dir}/${name}")
  set(setting "${system_dir}/${name}")
elseif(IS_DIRECTORY "${system_dir}")
  file(GLOB names LIST_DIRECTORIES true RELATIVE "${system_dir}" "${system_dir}/*")
  list(SORT names)
  foreach(found IN LISTS names)
    string(TOLOWER "${found}" lower)
    # A name holding a ";" was split by the list: its parts name nothing.
    if(lower STREQUAL "patdatv5.ini"
       AND (EXISTS "${system_dir}/${found}" OR IS_SYMLINK "${system_dir}/${found}"))
      set(setting "${system_dir}/${found}")
      break()
    endif()
  endforeach()
endif()

# The size of what is there, following a symbolic link; 0 when it leads nowhere.
set(size 0)
if(NOT setting STREQUAL "" AND EXISTS "${setting}" AND NOT IS_DIRECTORY "${setting}")
  file(SIZE "${setting}" size)
endif()

get_filename_component(spelling "${setting}" NAME)
if(setting STREQUAL "" OR (spelling STREQUAL name AND NOT IS_SYMLINK "${setting}"
                           AND NOT IS_DIRECTORY "${setting}" AND size EQUAL 0))
  # Written beside and then renamed over the name, so that no link there is followed.
  set(setting "${system_dir}/${name}")
  message(STATUS "Writing: ${setting}")
  file(MAKE_DIRECTORY "${system_dir}")
  file(REMOVE "${system_dir}/.${name}.new")
  file(WRITE "${system_dir}/.${name}.new" "[PATDAT]\r\n${TAVRIMEN_PATDAT_DIR}/\r\n")
  file(RENAME "${system_dir}/.${name}.new" "${setting}")
elseif(NOT size EQUAL 0)
  message(STATUS "Keeping: ${setting}")
elseif(IS_SYMLINK "${setting}")
  message(WARNING "Not writing the pattern-data setting: ${setting} is a symbolic link to an "
                  "empty or missing file, which is left alone.")
else()
  message(WARNING "Not writing the pattern-data setting: ${setting} is empty or not a file, and "
                  "is left alone.")
endif()
