# Writes the page's service worker into the built page's folder: the
# template TEMPLATE (web/page/service-worker.js) with every other file of the
# folder SITE and its SHA-256, and a version named after them all, so that
# any changed file makes a new version. The build runs it once every file is
# in place; the page's tests run it to make a new version of a copied page.
#
#   cmake -DSITE=build-web/plavet -DTEMPLATE=web/page/service-worker.js -P web/offline.cmake
cmake_minimum_required(VERSION 3.25)
get_filename_component(SITE "${SITE}" ABSOLUTE BASE_DIR "$ENV{PWD}")
file(GLOB files RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files service-worker.js)
if(NOT "index.html" IN_LIST files)
  message(FATAL_ERROR "${SITE} holds no page")
endif()
list(SORT files)
set(FILES "[")
set(all "")
foreach(name IN LISTS files)
  file(SHA256 ${SITE}/${name} sha256)
  string(APPEND FILES "\n  { name: \"${name}\", sha256: \"${sha256}\" },")
  string(APPEND all "${name} ${sha256}\n")
endforeach()
string(APPEND FILES "\n]")
string(SHA256 version "${all}")
string(SUBSTRING ${version} 0 16 VERSION)
configure_file(${TEMPLATE} ${SITE}/service-worker.js @ONLY)
