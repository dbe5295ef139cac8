#pragma once

// The "Backup" menu's two commands, on the database file in use.
namespace acesso {

// "Realizar Backup": copies the file to the one the user chooses.
void realizarBackup();
// "Restaurar Backup": puts a chosen copy in the file's place and reloads the five lists.
void restaurarBackup();

}  // namespace acesso
