# Built-in files of the skin model, compiled in as Qt resources under ":/builtin/".
# For a static library Qt links the resource object into every program that links skinmodel.
qt_add_resources(skinmodel "skinmodel_builtin"
  PREFIX "/builtin"
  BASE ${CMAKE_CURRENT_LIST_DIR}
  FILES
    ${CMAKE_CURRENT_LIST_DIR}/references.xml
)
