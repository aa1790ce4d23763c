; A DOS program (MZ .EXE) standing in for the emulator in the launch tests and the
; guide's picture: writes its command tail, a line break and the first 16 bytes of
; the file its first argument names to OUT.TXT in the current directory, and shows
; its command tail on the screen.
bits 16
org 0
header:
    db 'MZ'
    dw image_size % 512         ; bytes on the last page
    dw (image_size + 511) / 512 ; pages
    dw 0                        ; relocations
    dw 4                        ; header paragraphs (64 bytes)
    dw 0x1000                   ; extra paragraphs wanted: 64 KiB for the stack
    dw 0xFFFF
    dw 0                        ; SS
    dw 0xFFFE                   ; SP
    dw 0                        ; checksum
    dw 0                        ; IP
    dw 0                        ; CS
    dw 0x1C                     ; relocation table
    dw 0                        ; overlay
    times 64 - ($ - header) db 0
section code vstart=0 align=16
start:
    mov ax, cs
    mov ds, ax
    xor cx, cx
    mov cl, [es:0x80]
    mov [tail_len], cx
    mov si, 0x81
    mov di, tail
.copy:
    jcxz .parse
    mov al, [es:si]
    mov [di], al
    inc si
    inc di
    dec cx
    jmp .copy
.parse:                         ; first word of the tail into name, zero-ended
    mov si, tail
    mov cx, [tail_len]
.skip:
    jcxz .named
    cmp byte [si], ' '
    jne .word
    inc si
    dec cx
    jmp .skip
.word:
    mov di, name
.take:
    jcxz .named
    mov al, [si]
    cmp al, ' '
    je .named
    mov [di], al
    inc si
    inc di
    dec cx
    jmp .take
.named:
    mov byte [di], 0
    mov ax, 0x3D00              ; open for reading
    mov dx, name
    int 0x21
    jc .write
    mov bx, ax
    mov ah, 0x3F
    mov cx, 16
    mov dx, head
    int 0x21
    jc .close
    mov [head_len], ax
.close:
    mov ah, 0x3E
    int 0x21
.write:
    mov ah, 0x3C                ; create OUT.TXT
    xor cx, cx
    mov dx, out_name
    int 0x21
    jc .done
    mov bx, ax
    mov ah, 0x40
    mov cx, [tail_len]
    mov dx, tail
    int 0x21
    mov ah, 0x40
    mov cx, 2
    mov dx, crlf
    int 0x21
    mov ah, 0x40
    mov cx, [head_len]
    mov dx, head
    int 0x21
    mov ah, 0x3E
    int 0x21
.done:
    mov ah, 0x40                ; the screen: a heading, then the tail
    mov bx, 1
    mov cx, said_end - said
    mov dx, said
    int 0x21
    mov ah, 0x40
    mov cx, [tail_len]
    mov dx, tail
    int 0x21
    mov ah, 0x40
    mov cx, 2
    mov dx, crlf
    int 0x21
    mov ax, 0x4C00
    int 0x21
out_name: db 'OUT.TXT', 0
said: db 'NeoRAGE stand-in, a DOS program. Its command tail:', 13, 10
said_end:
crlf: db 13, 10
tail_len: dw 0
head_len: dw 0
tail: times 128 db 0
name: times 128 db 0
head: times 16 db 0
image_size equ 64 + ($ - $$)
