#!/usr/bin/env bash
# Fills the whole entry form from the keyboard (typing, Enter, Tab and the page keys) under a
# virtual X server and takes a screenshot of the window at each step, to look at the moving
# highlight by eye. Not part of the test run.
#   tests/actions/keyboard-walkthrough.sh [build/release/bin/Sovranel] [output folder]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
program=${1:-$root/build/release/bin/Sovranel}
out=${2:-/tmp/sovranel-walkthrough}

if [ -z "${WALKTHROUGH_INSIDE:-}" ]; then
  mkdir -p "$out"
  rm -f "$out"/*.png
  WALKTHROUGH_INSIDE=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" env LANG=pt_BR.UTF-8 "$0" "$program" "$out"
fi

photo=$out/foto.jpg
convert -size 300x400 gradient:'#f0c8a0-#704830' -fill '#203050' -draw 'circle 150,150 150,80' "$photo"

"$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

win=""
for _ in $(seq 100); do
  win=$(xdotool search --name "Crie o seu curr" 2>/dev/null | head -1 || true)
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { echo "walkthrough: the main window did not show" >&2; exit 1; }
sleep 1
xdotool windowfocus --sync "$win"
xdotool mousemove 0 0 # no balloon hint over the fields

step=0
shot() { # shot NAME: a picture of the main window
  sleep 0.4
  step=$((step + 1))
  import -window "$win" "$(printf '%s/%02d-%s.png' "$out" "$step" "$1")"
}
screen() { # screen NAME: a picture of the whole screen (dialogs included)
  sleep 0.4
  step=$((step + 1))
  import -window root -crop 800x700+240+160 "$(printf '%s/%02d-%s.png' "$out" "$step" "$1")"
}
key() { xdotool key --delay 60 "$@"; }
# With no window manager, nothing gives the main window the keyboard back after a dialog.
refocus() { sleep 0.3; xdotool windowfocus --sync "$win"; }
type() { LC_ALL=C.UTF-8 xdotool type --delay 40 "$1"; }

# Dados Principais: the first Tab leaves the page tabs for the name.
key Tab
type "Maria Aparecida da Silva"; shot nome
key Return; type "15031990"; shot nasc
key Return; type "F"; shot sexo
key Return; type "C"; key Return; shot tel1
# One digit only: Enter is refused with the error box, and the focus stays in the phone.
type "1"; key Return; sleep 0.5; screen tel1-refused
key Return; refocus; shot tel1-still-focused
type "133334444"; key Return; type "1198887777"; shot tel2
key Return; shot natural-after-tel2
type "Campinas"; key Return; type "maria.silva@exemplo.com.br"; key Return; shot rua-after-email
type "Rua das Flores"; key Return; type "123"; key Return; type "apto 45"; key Return
type "Centro"; key Return; type "Campinas"; key Return; shot uf-after-cidade
type "SP"; key Return; shot uf-enter-stays

# 1ª Experiência. Ctrl+Tab changes the page from a text field (a list takes it as typing);
# the focus lands on the inner tabs, Tab goes into the page.
key Tab; shot tab-from-uf-to-natural
key ctrl+Tab; key Tab; shot exnome1
type "Padaria Pão Quente"; key Return; type "Atendente"; key Return
type "Registro em carteira"; key Return; type "01022015"; shot exentrada1
key Return; shot exit-date-disabled-so-phone
type "1932325050"; key Tab; shot option-has-focus-no-yellow
key space; key shift+Tab shift+Tab shift+Tab; shot back-in-exentrada1
key Return; shot exsaida1-now-enabled
type "30062018"; key Return; shot extelefone1

# 2ª Experiência: Ctrl+Tab inside the experiences changes the inner page.
key ctrl+Tab; shot exnome2
type "Mercado Bom Preço"; key Return; type "Caixa"; key Return
type "Contrato temporário"; key Return; type "01072018"; key Return; type "1934341212"; key Return
shot extelefone2-enter-stays

# Escolaridade, from the outer tabs: the list at the top takes the focus.
key shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab; shot outer-tabs
key Right; shot escolaridade-list-focused
type "3"; key Return; type "Técnico em Administração"; key Return; type "ETEC Campinas"; key Return
shot escola-enter-stays
key Tab; shot tab-from-escola-to-list

# Cursos
key shift+Tab; key ctrl+Tab; key Tab; shot cucurso1
type "Informática Básica"; key Return; type "Word e Excel"; key Return
type "SENAC"; key Return; shot cuduracao1
type "6"; key Return; shot cuduracao1-enter-stays
key shift+Tab; key ctrl+Tab; shot cucurso2
type "Atendimento ao Cliente"; key Return; type "40 horas"; key Return; type "SEBRAE"; key Return; type "1"

# Foto: the picture dialog from the keyboard, the path typed into it.
key shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab; key Right; key Tab Tab; shot foto-page
key space; sleep 1.5; screen picture-dialog
type "$photo"; key Return; refocus; sleep 0.5; shot foto-loaded

# Informações
key shift+Tab shift+Tab; key Right; key Tab; shot rg
type "12.345.678-9"; key Return; type "123.456.789-00"; key Return
type "1234567"; key Return; type "0123456789"; key Return; type "Auxiliar administrativo"; key Return
type "A combinar"; key Return; shot salario-enter-stays

# Frase: the own sentence ticked from the keyboard, typed, left with Tab.
key ctrl+Tab; shot frase1-focused
key space; shot frase1-ticked
key Tab Tab Tab; shot frase4-focused
key space; shot frase-after-ticking-frase4
type "Sou pontual, dedicada e aprendo rápido."; shot frase-typing
key Tab; shot frase-left-for-its-option
key space; shot frase4-unticked-text-kept
key space; shot frase4-ticked-again

# "Limpar Campos" from the keyboard: Tab to the button, Space.
key Tab Tab Tab; shot limpar-focused
key space; shot after-limpar
# Back to the first page along the tabs; passing "Escolaridade" puts the focus into its list.
key Tab Tab Tab; key Left Left Left Left; shot escolaridade-after-limpar
key shift+Tab shift+Tab shift+Tab; key Left Left; key Tab; shot dados-after-limpar
key shift+Tab; key Right; key Tab Tab; shot exp1-after-limpar
echo "screenshots in $out"
